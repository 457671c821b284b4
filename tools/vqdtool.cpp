// vqdtool: inspects, converts and assembles recordings.
#include <cstring>

#include "ContainerCommands.h"
#include "PictureCommands.h"
#include "ToolOutput.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"info", RunInfo}, {"embed", RunEmbed},   {"extract", RunExtract}, {"append", RunAppend},
    {"dump", RunDump}, {"export", RunExport}, {"encode", RunEncode},
};

const char kUsage[] =
    "vqdtool COMMAND ...\n"
    "  info FILE                          describe a recording, plain or appended\n"
    "  embed HOST RECORDING -o OUT        append a recording to a copy of HOST\n"
    "  extract FILE -o OUT.vqd            write the appended recording as a plain file\n"
    "  append TARGET SOURCE               append SOURCE's records to TARGET\n"
    "  dump --json FILE                   the header and every record as JSON Lines\n"
    "  export FILE --out DIR [--every N] [--clicks]\n"
    "                                     the picture after records as PNG files\n"
    "  encode -o OUT.vqd (FOLDER | --raw WxH --pix bgr24|bgra|rgb565) [--fps N]\n"
    "         [--title T] [--author A] [--description D]\n"
    "                                     make a recording from PNG frames or raw video\n"
    "exit codes: 0 success, 1 not a valid recording or cut short, 2 usage";

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2)
        for (const Command& c : kCommands)
            if (std::strcmp(argv[1], c.name) == 0)
                return c.run(argc - 2, argv + 2);
    return ReportUsage(kUsage);
}
