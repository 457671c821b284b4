// vqdtool: inspects, converts and assembles recordings.
#include <cstring>

#include "ContainerCommands.h"
#include "ToolOutput.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"info", RunInfo},
    {"embed", RunEmbed},
    {"extract", RunExtract},
    {"append", RunAppend},
};

const char kUsage[] =
    "vqdtool COMMAND ...\n"
    "  info FILE                          describe a recording, plain or appended\n"
    "  embed HOST RECORDING -o OUT        append a recording to a copy of HOST\n"
    "  extract FILE -o OUT.vqd            write the appended recording as a plain file\n"
    "  append TARGET SOURCE               append SOURCE's records to TARGET\n"
    "exit codes: 0 success, 1 not a valid recording or cut short, 2 usage";

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2)
    for (const Command& c : kCommands)
      if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
  return ReportUsage(kUsage);
}
