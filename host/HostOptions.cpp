#include "HostOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <getopt.h>

namespace {

enum LongOnly { OPT_HEADLESS = 256, OPT_X11, OPT_HOST_FOLDER, OPT_TRACE, OPT_PRINT, OPT_TITLE };

const option kOptions[] = {
    {"devices", required_argument, nullptr, 'd'},
    {"program", required_argument, nullptr, 'p'},
    {"headless", no_argument, nullptr, OPT_HEADLESS},
    {"x11", no_argument, nullptr, OPT_X11},
    {"script", required_argument, nullptr, 's'},
    {"snapshots", required_argument, nullptr, 'o'},
    {"ticks", required_argument, nullptr, 't'},
    {"module", required_argument, nullptr, 'm'},
    {"host-folder", required_argument, nullptr, OPT_HOST_FOLDER},
    {"title", required_argument, nullptr, OPT_TITLE},
    {"trace", no_argument, nullptr, OPT_TRACE},
    {"print-program", no_argument, nullptr, OPT_PRINT},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

bool ParseCount(const char* text, long& value)
{
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 0)
        return false;
    value = parsed;
    return true;
}

}  // namespace

const char* HostUsage()
{
    return "Usage: ovinta-host [OPTION]...\n"
           "Runs the task-engine editor plug-in (Ovinta.so) in a small host application:\n"
           "the editor's window on the devices of --devices, a timer tick at the\n"
           "plug-in's \"interval\", the trace window (T in the host window) and a\n"
           "parameter window (the editor's \"Functions and Connections\" button, or P).\n"
           "Embedded devices run their programs once per tick inside the host.\n"
           "\n"
           "  -d, --devices=LIST     comma-separated device names for \"connection\"\n"
           "                         (default TE); NAME@HOST:PORT reaches a tedeviced,\n"
           "                         any other name is an embedded device\n"
           "  -p, --program=FILE     load a device program file into the first device\n"
           "                         (an embedded one) before the editor starts; the\n"
           "                         file is read, never written\n"
           "      --headless         no windows on screen; input from --script\n"
           "      --x11              real windows on $DISPLAY\n"
           "                         (default: --x11 when DISPLAY is set and no --script\n"
           "                         is given, else --headless)\n"
           "  -s, --script=FILE      headless session script: the display's input lines\n"
           "                         (move, down, up, click, key, wait, wait-idle, ...)\n"
           "                         plus \"snapshot NAME\" and \"tick [N]\"\n"
           "  -o, --snapshots=DIR    write PNG snapshots of the editor's window into DIR:\n"
           "                         the script's, and final.png at exit\n"
           "  -t, --ticks=N          exit after N timer ticks (headless: tick on after the\n"
           "                         script until N)\n"
           "  -m, --module=PATH      the plug-in module (default: ../lib/Ovinta.so beside\n"
           "                         this program)\n"
           "      --host-folder=DIR  the host folder with Controls/Interpreter.xml\n"
           "                         (default: $OVINTA_HOST_FOLDER, else ../share/ovinta\n"
           "                         beside this program)\n"
           "      --title=NAME       the name the editor's window gets (default\n"
           "                         \"Task engine\"; at most 127 characters)\n"
           "      --trace            show the trace window from the start\n"
           "      --print-program    print each device's program at exit\n"
           "  -h, --help             show this help and exit\n"
           "\n"
           "The editor ends when its window is closed, after --ticks, or on SIGINT or\n"
           "SIGTERM; the program is printed after that. Exit status: 0 on success,\n"
           "1 when the host or its script failed, 2 for a bad command line.\n";
}

std::string ParseHostOptions(int argc, char** argv, HostOptions& options)
{
    optind = 1;
    opterr = 0;
    int code;
    while ((code = getopt_long(argc, argv, ":d:p:s:o:t:m:h", kOptions, nullptr)) != -1) {
        switch (code) {
        case 'd': options.devices = optarg; break;
        case 'p': options.programFile = optarg; break;
        case OPT_HEADLESS: options.display = HostOptions::DisplayChoice::Headless; break;
        case OPT_X11: options.display = HostOptions::DisplayChoice::X11; break;
        case 's': options.scriptFile = optarg; break;
        case 'o': options.snapshotFolder = optarg; break;
        case 't':
            if (!ParseCount(optarg, options.ticks))
                return std::string("--ticks needs a whole number of at least 0, not '") + optarg + "'";
            break;
        case 'm': options.modulePath = optarg; break;
        case OPT_HOST_FOLDER: options.hostFolder = optarg; break;
        case OPT_TITLE:
            if (std::strlen(optarg) >= 128)
                return "--title takes at most 127 characters";
            options.title = optarg;
            break;
        case OPT_TRACE: options.showTrace = true; break;
        case OPT_PRINT: options.printProgram = true; break;
        case 'h': options.help = true; break;
        case ':': return std::string("option '") + argv[optind - 1] + "' needs a value";
        default: return std::string("unknown option '") + argv[optind - 1] + "'";
        }
    }
    if (optind < argc)
        return std::string("unexpected argument '") + argv[optind] + "'";
    return {};
}
