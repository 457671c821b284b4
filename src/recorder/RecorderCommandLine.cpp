#include "recorder/RecorderCommandLine.h"

#include <cctype>
#include <cstdio>

const char kRecorderUsage[] =
    "usage: grabora.exe /record FILE [/seconds N] [/fps N] [/region LEFT,TOP,RIGHT,BOTTOM] "
    "[/bits 16|32]\n"
    "       grabora.exe /record FILE /stop";

namespace {

// The option's name in lower case without its "/" or "-"; empty for a non-option.
std::string OptionName(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return {};
    std::string name;
    for (char c : argument.substr(1))
        name += char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// A whole decimal number in [lowest, highest].
bool ParseNumber(const std::string& text, uint32_t lowest, uint32_t highest, uint32_t& value) {
    if (text.empty() || text.size() > 9)
        return false;
    uint32_t number = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        number = number * 10 + uint32_t(c - '0');
    }
    if (number < lowest || number > highest)
        return false;
    value = number;
    return true;
}

// Four integers separated by commas, nothing else.
bool ParseRegion(const std::string& text, Rect& region) {
    int32_t v[4];
    char end;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &v[0], &v[1], &v[2], &v[3], &end) != 4)
        return false;
    region = Rect{v[0], v[1], v[2], v[3]};
    return true;
}

RecorderCommand Usage(const std::string& problem) {
    RecorderCommand command;
    command.kind = RecorderCommand::Kind::Usage;
    command.problem = problem;
    return command;
}

}  // namespace

RecorderCommand ParseRecorderCommand(const std::vector<std::string>& arguments) {
    RecorderCommand command;
    if (arguments.empty())
        return command;
    bool stop = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string name = OptionName(arguments[i]);
        if (name == "stop") {
            stop = true;
            continue;
        }
        if (name.empty())
            return Usage("unexpected argument " + arguments[i]);
        if (name != "record" && name != "seconds" && name != "fps" && name != "region" &&
            name != "bits")
            return Usage("unknown option " + arguments[i]);
        if (i + 1 == arguments.size())
            return Usage(arguments[i] + " needs a value");
        const std::string& value = arguments[++i];
        if (name == "record") {
            command.file = value;
        } else if (name == "seconds") {
            if (!ParseNumber(value, 1, 24 * 3600, command.seconds))
                return Usage("/seconds takes a whole number from 1 to 86400, not " + value);
        } else if (name == "fps") {
            if (!ParseNumber(value, kFewestFramesPerSecond, kMostFramesPerSecond,
                             command.framesPerSecond))
                return Usage("/fps takes a whole number from 1 to 30, not " + value);
        } else if (name == "region") {
            if (!ParseRegion(value, command.region))
                return Usage("/region takes LEFT,TOP,RIGHT,BOTTOM in pixels, not " + value);
            command.wholeScreen = false;
        } else if (!ParseNumber(value, 16, 32, command.bitsPerPixel) ||
                   (command.bitsPerPixel != 16 && command.bitsPerPixel != 32)) {
            return Usage("/bits takes 16 or 32, not " + value);
        }
    }
    if (command.file.empty())
        return Usage("/record FILE names the recording");
    command.kind = stop ? RecorderCommand::Kind::Stop : RecorderCommand::Kind::Record;
    return command;
}
