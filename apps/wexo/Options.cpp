#include "wexo/Options.h"

#include "platform/linux/HeadlessDesktop.h"

namespace wexo::app {

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> table{
        {"--stdio", "",
         "read evdev records (struct input_event) on standard input, write them on "
         "standard output",
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.stdio = true;
             return std::nullopt;
         }},
        {"--trace", "", "write every decision of the taps to standard error as JSON lines",
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.trace = true;
             return std::nullopt;
         }},
        {"--screen", "WIDTHxHEIGHT@HZ",
         "the screen of the desktop without a display server (default 1920x1080@60)",
         [](Options& o, std::string_view arg) -> std::optional<std::string> {
             if (!platform::lnx::HeadlessDesktop::parseMode(std::string(arg)))
                 return "--screen wants WIDTHxHEIGHT@HZ, such as 1920x1080@60, not \"" +
                        std::string(arg) + "\"";
             o.screen = arg;
             return std::nullopt;
         }},
        {"--measure-latency", "",
         "report the time from each report read to its records written when done",
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.measureLatency = true;
             return std::nullopt;
         }},
        {"--help", "", "print this help",
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.help = true;
             return std::nullopt;
         }},
        {"--version", "", "print the version",
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.version = true;
             return std::nullopt;
         }},
    };
    return table;
}

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::string_view value;
        bool inlineValue = false;
        if (const auto eq = arg.find('='); eq != std::string_view::npos && arg.starts_with("--")) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const OptionRow* row = nullptr;
        for (const OptionRow& r : optionTable())
            if (r.name == arg) row = &r;
        if (!row) {
            problem = "unknown option " + args[i];
            return std::nullopt;
        }
        if (!row->argument.empty() && !inlineValue) {
            if (i + 1 >= args.size()) {
                problem = std::string(row->name) + " needs " + std::string(row->argument);
                return std::nullopt;
            }
            value = args[++i];
        } else if (row->argument.empty() && inlineValue) {
            problem = std::string(row->name) + " takes no argument";
            return std::nullopt;
        }
        if (auto wrong = row->apply(options, value)) {
            problem = *wrong;
            return std::nullopt;
        }
    }
    return options;
}

std::string usageText() {
    std::string text = "usage: wexo --stdio [--trace] [--screen WIDTHxHEIGHT@HZ]\n";
    for (const OptionRow& r : optionTable()) {
        std::string left = "  " + std::string(r.name);
        if (!r.argument.empty()) left += " " + std::string(r.argument);
        if (left.size() < 30) left.resize(30, ' ');
        text += left + " " + std::string(r.help) + "\n";
    }
    return text;
}

}  // namespace wexo::app
