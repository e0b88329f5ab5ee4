// qdcli plugin: loads the library, opens the images as windows, runs
// PlugInMain as a menu command would, then writes the windows it made or
// changed.
#include "plugin_command.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>
#include <optional>

#include "plugin_host.h"
#include "plugin_library.h"
#include "settings.h"

namespace qdcli {
namespace {

constexpr int kDone = 0, kNotRun = 1;

// The first Ctrl-C asks the plug-in to stop through its stop count; a second
// one, while that request is still pending, ends qdcli.
extern "C" void onInterrupt(int) {
    if (PlugInHost::requestStop()) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

class InterruptAsStop {
public:
    InterruptAsStop() {
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptAsStop() { sigaction(SIGINT, &previous_, nullptr); }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    struct sigaction previous_ = {};
};

std::string substitute(const std::string& pattern, size_t index) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%d") == 0) {
            out += std::to_string(index);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

int32_t index(const std::string& option, const std::string& text) {
    const std::optional<int32_t> v = parseInteger(text);
    if (!v || *v < 0) throw UsageError("--" + option + " needs a window index of 0 or more, not \"" + text + "\"");
    return *v;
}

int printName(const Options& options) {
    if (options.inputs().size() != 1 || options.given().size() != 1 || options.hasOutput())
        throw UsageError("--name takes the plug-in alone");
    const PlugInLibrary library(options.inputs()[0]);
    const PlugInLibrary::NameFunction name = library.name();
    const char* text = name ? name() : nullptr;
    if (!text) {
        std::fprintf(stderr, "qdcli plugin: %s has no PlugInName\n", options.inputs()[0].c_str());
        return kNotRun;
    }
    std::printf("%s\n", text);
    return kDone;
}

// The display levels as they stand, one per pixel (RGB images: the three
// bytes as a colour), in an image that shows each level as itself.
ImageRef shownLevels(IMHANDLE im) {
    const bool rgb = IMIsRgb(im) != 0;
    // The bitmap bounds the reads should the data and the bitmap disagree.
    MTHANDLE bits = IMGetBmpBitsHandle(im);
    const int32_t capacity = rgb ? MTGetMaxXIndex(bits) / 3 : MTGetMaxXIndex(bits);
    const int32_t w = std::min(IMGetImageWidth(im), capacity);
    const int32_t h = std::min(IMGetImageHeight(im), MTGetMaxYIndex(bits));
    MTHANDLE m = MTCreate(std::max(w, 1), std::max(h, 1), rgb ? MT_RGB : MT_UCHAR);
    if (!m) throw FileError("out of memory for the display levels");
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (rgb) MTSetRgb(m, x, y, IMBmpRgbVal(im, x, y));
            else MTSetRealInt(m, x, y, IMBmpVal(im, x, y));
        }
    ImageRef levels(IMCreateFromMatrix(m));
    if (!levels.get()) {
        MTDestroy(m);
        throw FileError("out of memory for the display levels");
    }
    IMSetInitialValue(levels.get(), 0.0);
    IMSetFinalValue(levels.get(), 255.0);
    IMPrepareBitmap(levels.get());
    return levels;
}

struct Target {
    size_t window;
    bool shown;
};

// Every file to write, by path; two windows that would share one file
// refuse the whole output rather than let one overwrite the other.
std::map<std::string, Target> targets(const PlugInHost& host, const Options& options) {
    std::map<std::string, Target> out;
    auto add = [&out](const std::string& path, Target t) {
        const auto [at, fresh] = out.emplace(path, t);
        if (!fresh)
            throw FileError("windows " + std::to_string(at->second.window) + " and " + std::to_string(t.window) +
                            " would both go to " + path + ": put %d in the pattern");
    };
    const auto& windows = host.windows();
    for (size_t i = 0; i < windows.size(); ++i) {
        if (options.hasOutput() && PlugInHost::modified(*windows[i]))
            add(substitute(options.output(), i), {i, false});
        if (options.has("shown")) add(substitute(options.text("shown"), i), {i, true});
    }
    return out;
}

void writeWindows(const PlugInHost& host, const Options& options) {
    for (const auto& [path, target] : targets(host, options)) {
        IMHANDLE im = host.windows()[target.window]->image.get();
        if (target.shown) writeImage(shownLevels(im).get(), path);
        else writeImage(im, path);
    }
}

int runPlugIn(const Options& options) {
    options.acceptOnly({"name", "active", "shown", "answer", "pick"}, "plugin");
    if (options.inputs().empty()) throw UsageError("plugin needs the plug-in's file");
    if (options.flag("name")) return printName(options);

    const std::string& pluginPath = options.inputs()[0];
    const std::vector<std::string> images(options.inputs().begin() + 1, options.inputs().end());
    if (options.hasOutput()) checkOutputPath(substitute(options.output(), 0));
    if (options.has("shown")) checkOutputPath(substitute(options.text("shown"), 0));
    HostAnswers answers;
    answers.texts = options.all("answer");
    for (const std::string& pick : options.all("pick")) answers.picks.push_back(index("pick", pick));
    int32_t active = int32_t(images.size()) - 1;
    if (options.has("active")) {
        active = index("active", options.text("active"));
        if (size_t(active) >= images.size())
            throw UsageError("--active " + options.text("active") + ": there are " +
                             std::to_string(images.size()) + " images");
    }

    const PlugInLibrary library(pluginPath);
    const PlugInLibrary::MainFunction run = library.main();
    if (!run) {
        std::fprintf(stderr, "qdcli plugin: %s has no PlugInMain\n", pluginPath.c_str());
        return kNotRun;
    }
    Settings settings;
    PlugInHost host(settings.palettes(), std::move(answers));
    for (const std::string& path : images) host.openFile(readInput(path, options, settings.palettes()), path);
    if (active >= 0) host.activate(host.windows()[size_t(active)].get());
    {
        const InterruptAsStop interrupts;
        try {
            run(1, host.server());
        } catch (...) {
            std::fflush(stdout);
            std::fprintf(stderr, "qdcli plugin: %s ended with an exception; nothing written\n",
                         pluginPath.c_str());
            return kNotRun;
        }
    }
    std::fflush(stdout);
    writeWindows(host, options);
    return kDone;
}

} // namespace

int pluginCommand(const Options& options) {
    try {
        return runPlugIn(options);
    } catch (const LoadError& e) {
        std::fprintf(stderr, "qdcli plugin: %s\n", e.what());
        return kNotRun;
    }
}

} // namespace qdcli
