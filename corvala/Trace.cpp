// EDITTRACE and the host's trace sink.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "CorvalaHost.h"
#include "TraceWindow.h"

namespace {

corvala::TraceSink& Sink()
{
    static corvala::TraceSink sink;
    return sink;
}

void PrintToStderr(HWND, const char* text)
{
    std::fprintf(stderr, "%s\n", text);
}

}  // namespace

namespace corvala {

void SetTraceSink(TraceSink sink)
{
    Sink() = std::move(sink);
}

}  // namespace corvala

void EDITTRACE(HWND hWnd, const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);

    if (Sink())
        Sink()(hWnd, text.c_str());
    else
        PrintToStderr(hWnd, text.c_str());
    corvala::AppendToTraceWindow(hWnd, text.c_str());
}
