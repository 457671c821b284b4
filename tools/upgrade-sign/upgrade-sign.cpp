// upgrade-sign: the maker's release step for the saver's upgrade check. It
// signs the upgrade manifest (ECDSA P-256, SHA-256) with the private key
// whose public half the saver is built with.
#include <cstring>

#include "SignCommands.h"

namespace {
struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

const Command commands[] = {
    {"keygen", RunKeygen}, {"manifest", RunSignManifest}, {"verify", RunVerify}};
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2)
        for (const Command& c : commands)
            if (std::strcmp(argv[1], c.name) == 0)
                return c.run(argc - 2, argv + 2);
    return ReportUpgradeSignUsage();
}
