// A second editor in a process of its own: a document on the device named by
// its argument, driven by one command per line on stdin, answering one line
// per command (a state answers several, then "end"):
//   tick | create KEY X Y | draw FROM TO | delblock NAME | delline NAME |
//   state | quit
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "sync/DocumentTestSupport.h"

namespace {

std::string Run(Editor& editor, const std::string& command)
{
    std::istringstream words(command);
    std::string verb, a, b;
    words >> verb >> a >> b;
    if (verb == "tick") {
        editor.Tick();
        return "ok";
    }
    if (verb == "create") {
        int y = 0;
        words >> y;
        CTETrackObject* pBlock = editor.Create(a.c_str(), std::atoi(b.c_str()), y);
        return pBlock ? static_cast<CTrackObject*>(pBlock)->m_szName : "-";
    }
    if (verb == "draw") {
        CTETrackObject* pFrom = editor.Block(a.c_str());
        CTETrackObject* pTo = editor.Block(b.c_str());
        CLineItem* pLine = pFrom && pTo ? editor.Draw(pFrom, 0, pTo, 0) : nullptr;
        return pLine ? pLine->m_szName : "-";
    }
    if (verb == "delblock")
        return std::to_string(editor.m_Document.DeleteBlock(editor.Block(a.c_str())));
    if (verb == "delline")
        return std::to_string(editor.m_Document.DeleteLine(editor.Line(a.c_str())));
    if (verb == "state") {
        std::string text;
        for (const std::string& position : editor.Positions())
            text += "P " + position + '\n';
        for (const std::string& line : editor.Lines())
            text += "L " + line + '\n';
        return text + "end";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: netdevice_editor DEVICE" << std::endl;
        return 2;
    }
    setenv("OVINTA_DISPLAY", "headless", 0);
    HOSTINFO root;
    {
        Editor editor(root, argv[1]);
        std::string command;
        while (std::getline(std::cin, command) && command != "quit")
            std::cout << Run(editor, command) << std::endl;
    }
    corvala::ResetDevices();
    return 0;
}
