// The main of a layer's test executable: runs the entry its first argument
// names, with the program's name and the remaining arguments.
#include "QtTestMain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace quimba::testmain {

namespace {
// Filled by static initialisers, so built on first use.
std::map<std::string, Entry>& Entries() {
    static std::map<std::string, Entry> entries;
    return entries;
}
}  // namespace

bool Register(const char* name, Entry entry) {
    if (!Entries().emplace(name, entry).second) {
        std::fprintf(stderr, "two test entries are named %s\n", name);
        std::abort();
    }
    return true;
}

}  // namespace quimba::testmain

int main(int argc, char** argv) {
    const auto& entries = quimba::testmain::Entries();
    const auto found = argc >= 2 ? entries.find(argv[1]) : entries.end();
    if (found == entries.end()) {
        std::fprintf(stderr, "usage: %s NAME [ARGUMENTS...], NAME one of:\n", argc > 0 ? argv[0] : "tests");
        for (const auto& [name, entry] : entries) std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    std::vector<char*> args{argv[0]};
    for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    return found->second(count, args.data());
}
