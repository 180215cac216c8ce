// Choosing the display: $OVINTA_DISPLAY on first use, or PlSelectDisplay.
#include "DisplaySelect.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "HeadlessDisplay.h"
#include "X11Display.h"
#include "pldisplay.h"

namespace pl {

namespace {

std::unique_ptr<DisplayDriver>& current()
{
    static std::unique_ptr<DisplayDriver> d;
    return d;
}

std::unique_ptr<DisplayDriver> make(const char* name)
{
    if (std::strcmp(name, "headless") == 0)
        return std::make_unique<HeadlessDisplay>();
    if (std::strcmp(name, "x11") == 0)
        return X11Display::open();
    return nullptr;
}

}  // namespace

DisplayDriver& display()
{
    auto& d = current();
    if (!d) {
        const char* wanted = std::getenv("OVINTA_DISPLAY");
        if (!wanted || !*wanted)
            wanted = "headless";
        d = make(wanted);
        if (!d) {
            std::fprintf(stderr, "ovinta: display \"%s\" is not available; using the headless display\n", wanted);
            d = std::make_unique<HeadlessDisplay>();
        }
    }
    return *d;
}

HeadlessDisplay* headlessDisplay()
{
    return dynamic_cast<HeadlessDisplay*>(&display());
}

X11Display* x11Display()
{
    return current() ? dynamic_cast<X11Display*>(current().get()) : nullptr;
}

}  // namespace pl

const char* PlDisplayName(void)
{
    return pl::display().name();
}

BOOL PlSelectDisplay(const char* name)
{
    auto& d = pl::current();
    if (!name)
        return FALSE;
    if (d)
        return std::strcmp(d->name(), name) == 0;
    d = pl::make(name);
    return d ? TRUE : FALSE;
}
