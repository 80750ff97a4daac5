#include "wexo/Options.h"

#include "platform/linux/HeadlessDesktop.h"

namespace wexo::app {

namespace {
using Problem = std::optional<std::string>;

template <bool Options::*Flag>
Problem set(Options& o, std::string_view) {
    o.*Flag = true;
    return std::nullopt;
}

// Options that pick what the run is; two of them make no sense together.
Problem conflicts(const Options& o) {
    if (o.headless && o.frontEnd) return "--headless and --front-end exclude each other";
    if (o.stdio && !o.device.empty())
        return "--stdio reads standard input, --device a mouse: choose one";
    if (o.frontEnd && !o.stdio)
        return "--front-end goes with --stdio (the front end is shown anyway)";
    const int modes = int(o.listDevices) + int(!o.screenshots.empty()) +
                      int(o.stdio || o.headless || !o.device.empty());
    if (modes > 1) return "--list-devices, --screenshots and running Wexo exclude each other";
    if (o.dark && o.screenshots.empty()) return "--dark goes with --screenshots";
    return std::nullopt;
}
}  // namespace

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> table{
        {"--headless", "", "run on the mice without the front end (no windows, no status icon)",
         set<&Options::headless>},
        {"--device", "PATH", "grab only this mouse (/dev/input/eventN)",
         [](Options& o, std::string_view arg) -> Problem {
             if (arg.empty()) return "--device needs the path of a device";
             o.device = arg;
             return std::nullopt;
         }},
        {"--stdio", "",
         "read evdev records (struct input_event) on standard input, write them on "
         "standard output",
         set<&Options::stdio>},
        {"--front-end", "", "with --stdio: show the front end as well", set<&Options::frontEnd>},
        {"--trace", "", "write every decision of the taps to standard error as JSON lines",
         set<&Options::trace>},
        {"--screen", "WIDTHxHEIGHT@HZ",
         "the screen of the desktop without a display server (default 1920x1080@60)",
         [](Options& o, std::string_view arg) -> Problem {
             if (!platform::lnx::HeadlessDesktop::parseMode(std::string(arg)))
                 return "--screen wants WIDTHxHEIGHT@HZ, such as 1920x1080@60, not \"" +
                        std::string(arg) + "\"";
             o.screen = arg;
             return std::nullopt;
         }},
        {"--list-devices", "",
         "list the input devices: which are mice and whether Wexo can open them",
         set<&Options::listDevices>},
        {"--screenshots", "DIR", "write a picture of every screen to DIR and end",
         [](Options& o, std::string_view arg) -> Problem {
             if (arg.empty()) return "--screenshots needs a folder";
             o.screenshots = arg;
             return std::nullopt;
         }},
        {"--dark", "", "with --screenshots: in a dark palette", set<&Options::dark>},
        {"--measure-latency", "",
         "report the time from each report read to its records written when done",
         set<&Options::measureLatency>},
        {"--help", "", "print this help", set<&Options::help>},
        {"--version", "", "print the version", set<&Options::version>},
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
            problem = arg.starts_with("-") ? "unknown option " + args[i]
                                           : "unexpected argument \"" + args[i] + "\"";
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
    // Asking for help or the version is never wrong.
    if (options.help || options.version) return options;
    if (auto wrong = conflicts(options)) {
        problem = *wrong;
        return std::nullopt;
    }
    return options;
}

std::string usageText() {
    std::string text =
        "usage: wexo [--headless] [--device PATH] [--trace]\n"
        "       wexo --stdio [--front-end] [--trace] [--screen WIDTHxHEIGHT@HZ]\n"
        "       wexo --list-devices | --screenshots DIR [--dark] | --help | --version\n"
        "Without an option Wexo runs on every mouse with its status icon and windows.\n";
    for (const OptionRow& r : optionTable()) {
        std::string left = "  " + std::string(r.name);
        if (!r.argument.empty()) left += " " + std::string(r.argument);
        if (left.size() < 30) left.resize(30, ' ');
        text += left + " " + std::string(r.help) + "\n";
    }
    return text;
}

}  // namespace wexo::app
