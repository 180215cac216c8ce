// ovinta-host: the host application. Until the plug-in has windows it runs
// the scripted channel demo against embedded devices.
#include <cstdio>
#include <cstring>

#include "ChannelDemo.h"
#include "CorvalaHost.h"
#include "shell/CMainDlgHost.h"

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    corvala::SetTraceSink([](HWND, const char* text) { std::printf("   trace: %s\n", text); });

    HOSTINFO root;
    std::strcpy(root.m_szName, "Host");

    // What the plug-in does when the host creates its main dialog.
    CMainDlgHost dialog;
    dialog.m_pParent = &root;
    std::strcpy(dialog.m_szName, "Task engine");
    dialog.RegisterHostinfo(nullptr);
    std::printf("ovinta-host: \"%s\" registered below \"%s\", interval %d\n", dialog.m_szName,
                a_FindRootHostinfo(&dialog)->m_szName, dialog.m_nInterval);

    int failures = ChannelDemo(dialog, stdout).Run();

    dialog.EmptyChannels();
    dialog.UnregisterHostinfo();
    return failures == 0 ? 0 : 1;
}
