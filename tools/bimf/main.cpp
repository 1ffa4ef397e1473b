// lumetra-bimf: look into, check, repair and pack channel big files.

#include "ToolCommands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: lumetra-bimf COMMAND FILE.bimf ...\n"
                 "  info FILE.bimf              header fields, frame count and size, file sizes\n"
                 "  frames FILE.bimf            number, km, m, time and bytes of every frame\n"
                 "  extract FILE.bimf N OUT.jpg the stored JPEG bytes of frame N\n"
                 "  find FILE.bimf KM M         frame numbers recorded at KM + M\n"
                 "  check FILE.bimf             every frame read and checked, one problem a line\n"
                 "  repair FILE.bimf            rebuild the index from the data file\n"
                 "  pack OUT.bimf FRAME.jpg...  make a big file from JPEG files, with options\n"
                 "       --line-name T --line-code T --section T --train T --rail-side C\n"
                 "       --run-direction N --car-direction N --v-resolution N --h-resolution N\n"
                 "       --start-km N --start-m N --step-mm N (2000) --descending\n"
                 "       --start \"YYYY-MM-DD HH:MM:SS\"\n"
                 "The index is the same path with the extension .dex.\n"
                 "Exit status: 0 clean, 1 problems found, 2 unusable file or wrong command.\n");
    return kExitUnusable;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2)
        return usage();
    const std::string& command = args[0];
    const std::string& file = args[1];
    const size_t extra = args.size() - 2;
    if (command == "info" && extra == 0)
        return CommandInfo(file);
    if (command == "frames" && extra == 0)
        return CommandFrames(file);
    if (command == "extract" && extra == 2)
        return CommandExtract(file, args[2], args[3]);
    if (command == "find" && extra == 2)
        return CommandFind(file, args[2], args[3]);
    if (command == "check" && extra == 0)
        return CommandCheck(file);
    if (command == "repair" && extra == 0)
        return CommandRepair(file);
    if (command == "pack")
        return CommandPack(file, std::vector<std::string>(args.begin() + 2, args.end()));
    return usage();
}
