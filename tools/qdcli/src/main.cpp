// qdcli: runs the operations of the libraries and the program on image
// files, for batch work and scripts.
//
// Exit codes: 0 done, 1 the operation refused the input (or the plug-in
// could not be run), 2 bad usage, 3 a file could not be read or written.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <unistd.h>
#include <vector>

#include <qd/core/document_files.h>

#include "help.h"
#include "image_files.h"
#include "operation.h"
#include "plugin_command.h"
#include "report.h"
#include "runner.h"
#include "settings.h"

using namespace qdcli;

namespace {

constexpr int kDone = 0, kRefused = 1, kUsage = 2, kFile = 3;

const char* const kUsageText =
    "usage: qdcli help                          operations, one per line, with what each does\n"
    "       qdcli OP --help                     an operation's options, their meaning and defaults\n"
    "       qdcli list                          operations, one per line, with their options;\n"
    "                                           then the file formats read and written\n"
    "       qdcli info FILE [--json]            type, size, display, scale, units, comment, overlays\n"
    "       qdcli convert IN -o OUT             read by content, write by extension\n"
    "       qdcli OP [OPTIONS] IN... [-o OUT]   run one operation\n"
    "       qdcli plugin PLUGIN.so [OPTIONS] IMAGE...   run a plug-in on the images as its windows\n"
    "       qdcli plugin --name PLUGIN.so       the plug-in's menu text\n"
    "input:  --raw W,H,TYPE[,OFFSET[,SWAP]]  --as TYPE\n"
    "output: .qdw .bmp .raw .npy and the file filters' (qdcli list)  --display-type CODE  --range FROM,TO\n"
    "run:    --select L,T,R,B  --json  --time N  --quiet\n"
    "plugin: -o PATTERN       windows the plug-in made or changed, %d = window index;\n"
    "                         without -o nothing is written\n"
    "        --shown PATTERN  every window's display levels\n"
    "        --active K       the active window (default: the last image)\n"
    "        --answer TEXT... input dialogs in order, then Cancel\n"
    "        --pick K...      image selections in order, then Cancel\n"
    "        Ctrl-C raises the plug-in's stop count; a second one ends qdcli\n";

// Checks the options every command shares before any file is read.
void checkCommonOptions(const Options& options) {
    if (options.has("time") && options.integer("time") < 1) throw UsageError("--time needs a count of 1 or more");
    if (options.has("display-type")) {
        static const int32_t kTypes[] = {0, 1, 2, 16, 17, 18, 48, 49, 50, 256};
        const int32_t t = options.integer("display-type");
        if (std::find(std::begin(kTypes), std::end(kTypes), t) == std::end(kTypes))
            throw UsageError("--display-type is one of 0, 1, 2, 16, 17, 18, 48, 49, 50, 256");
    }
    if (options.has("range")) options.numbers("range", 2);
    if (options.has("as")) parseType(options.text("as"));
    if (options.hasOutput()) checkOutputPath(options.output());
}

void restrictToSelection(IMHANDLE im, const Options& options) {
    if (!options.has("select")) return;
    std::vector<int32_t> r;
    for (double v : options.numbers("select", 4)) {
        if (v != int32_t(v)) throw UsageError("--select needs whole numbers");
        r.push_back(int32_t(v));
    }
    IMSetSelectedRect(im, r[0], r[1], r[2], r[3]);
    if (!IMIsSelected(im) || !IMSelect(im, 1))
        throw UsageError("--select " + options.text("select") + " is not a rectangle inside the image");
}

std::string describe(IMHANDLE im) {
    MTHANDLE m = IMGetDataHandle(im);
    return "a " + std::to_string(MTGetWidth(m)) + " x " + std::to_string(MTGetHeight(m)) + " " +
           typeName(MTGetFlags(m)) + " image";
}

// Wraps a result matrix as an image and sets its display as the program's
// command does; --display-type and --range then have the last word, unless
// they set the inputs' display.
IMHANDLE finishImage(Product& product, Display display, bool readsDisplay, IMHANDLE source,
                     const Options& options) {
    if (product.matrix) {
        product.image = IMCreateFromMatrix(product.matrix);
        if (!product.image) return nullptr;
        product.matrix = nullptr;
        IMHANDLE im = product.image;
        qd::applyResultDisplay(im, display, source);
    }
    if (product.image) {
        if (readsDisplay) IMPrepareBitmap(product.image);
        else applyDisplayOptions(product.image, options);
    }
    return product.image;
}

void printReport(const Report& report, bool json) {
    if (json) {
        if (!report.json.empty()) std::printf("%s\n", report.json.c_str());
        return;
    }
    for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
}

int runOperation(const Operation& op, const Options& options) {
    options.acceptOnly(acceptedOptions(op), op.name);
    if (int(options.inputs().size()) != op.inputs)
        throw UsageError(op.name + " takes " + std::to_string(op.inputs) + " input file" +
                         (op.inputs > 1 ? "s" : ""));
    if (options.hasOutput() && !op.makesImage) throw UsageError(op.name + " makes no image to write");
    for (const std::vector<std::string>& group : requiredOptions(op))
        if (std::none_of(group.begin(), group.end(), [&](const std::string& n) { return options.has(n); }))
            throw UsageError("--" + group[0] + (group.size() > 1 ? " or --" + group[1] : "") + " is required");
    checkCommonOptions(options);
    Settings settings;
    std::vector<ImageRef> images;
    std::vector<IMHANDLE> handles;
    for (const std::string& path : options.inputs()) {
        images.push_back(readInput(path, options, settings.palettes()));
        handles.push_back(images.back().get());
        if (op.readsDisplay && (options.has("display-type") || options.has("range")))
            applyDisplayOptions(handles.back(), options);
        if (!op.wholeImage) restrictToSelection(handles.back(), options);
    }
    const Run run = op.prepare(Call{options, handles, settings});
    RunSettings how;
    how.name = op.name;
    how.rows = handles.empty() ? 1 : MTGetHeight(IMGetDataHandle(handles[0]));
    how.progress = !options.flag("quiet") && isatty(STDERR_FILENO);
    how.timedRuns = options.integer("time", 0);
    Product product = runTimed(run, how);

    const bool nothing = op.makesImage ? !product.matrix && !product.image : product.report.lines.empty();
    if (!product.refusal.empty() || nothing) {
        const std::string why =
            !product.refusal.empty() ? product.refusal
            : handles.empty()        ? "the library gave no result"
                                     : "the library gave no result for " + describe(handles[0]);
        std::fprintf(stderr, "%s: refused: %s\n", op.name.c_str(), why.c_str());
        return kRefused;
    }
    IMHANDLE result = op.makesImage ? finishImage(product, op.display, op.readsDisplay, handles[0], options) : nullptr;
    if (op.makesImage && !result) {
        std::fprintf(stderr, "%s: refused: out of memory\n", op.name.c_str());
        return kRefused;
    }
    printReport(product.report, options.flag("json"));
    if (options.hasOutput()) writeImage(result, options.output());
    return kDone;
}

struct Format {
    std::string extension; // with its dot, lower case
    bool read, write;
    std::string description;
};

// The built-in readers and writers, then the file filters' extensions; an
// extension both have is one line.
std::vector<Format> formats() {
    std::vector<Format> list = {{".qdw", true, true, "Quidora image"},
                                {".bmp", true, true, "bitmap"},
                                {".tif", true, false, "TIFF image"},
                                {".npy", true, true, "NumPy array"},
                                {".raw", true, true, "raw data (read with --raw)"}};
    const qd::CFileFilterList& filters = fileFilters();
    for (int i = 0; i < filters.count(); ++i) {
        const qd::CFileFilterEntry& f = filters.at(i);
        const std::string extension = qd::lowerCase("." + f.extensionName());
        auto known = std::find_if(list.begin(), list.end(), [&](const Format& k) { return k.extension == extension; });
        if (known == list.end()) known = list.insert(list.end(), {extension, false, false, f.description()});
        known->read = known->read || f.canOpen();
        known->write = known->write || f.canSave();
    }
    return list;
}

int listCommand() {
    for (const Operation& op : operations()) {
        std::string line = op.name;
        if (!op.options.empty()) line += " " + op.options;
        for (int i = 0; i < op.inputs; ++i) line += " IN";
        std::printf("%s\n", line.c_str());
    }
    for (const Format& f : formats())
        std::printf("format %s %s%s%s %s\n", f.extension.c_str(), f.read ? "read" : "", f.read && f.write ? "," : "",
                    f.write ? "write" : "", f.description.c_str());
    return kDone;
}

int infoCommand(const Options& options) {
    options.acceptOnly({"raw", "as", "json"}, "info");
    if (options.inputs().size() != 1 || options.hasOutput()) throw UsageError("info takes one file");
    checkCommonOptions(options);
    Settings settings;
    const ImageRef image = readInput(options.inputs()[0], options, settings.palettes());
    IMHANDLE im = image.get();
    const IMHEADER& h = *IMGetHeaderPointer(im);
    const std::string comment(h.Comment, strnlen(h.Comment, sizeof h.Comment));
    if (options.flag("json")) {
        std::printf("%s\n", JsonObject()
                                .text("type", typeName(h.DataType))
                                .whole("type_code", h.DataType)
                                .whole("width", h.Width)
                                .whole("height", h.Height)
                                .whole("display_type", h.DisplayType)
                                .raw("range", jsonArray({jsonNumber(h.InitialValue), jsonNumber(h.FinalValue)}))
                                .number("scale", h.Scale)
                                .text("xy_unit", IMGetXYUnit(im))
                                .text("z_unit", IMGetZUnit(im))
                                .text("comment", comment)
                                .whole("overlays", h.NumGraphicObjects)
                                .str()
                                .c_str());
        return kDone;
    }
    std::printf("type : %s\nwidth : %d\nheight : %d\ndisplay type : %d\n", typeName(h.DataType).c_str(),
                h.Width, h.Height, h.DisplayType);
    std::printf("range : %.6g to %.6g\nscale : %.6g\n", h.InitialValue, h.FinalValue, h.Scale);
    std::printf("xy unit : %s\nz unit : %s\n", latin1ToUtf8(IMGetXYUnit(im)).c_str(),
                latin1ToUtf8(IMGetZUnit(im)).c_str());
    std::printf("comment : %s\noverlays : %d\n", latin1ToUtf8(comment).c_str(), h.NumGraphicObjects);
    return kDone;
}

int convertCommand(const Options& options) {
    options.acceptOnly({"raw", "as", "display-type", "range", "quiet"}, "convert");
    if (options.inputs().size() != 1 || !options.hasOutput()) throw UsageError("convert takes one file and -o OUT");
    checkCommonOptions(options);
    Settings settings;
    const ImageRef image = readInput(options.inputs()[0], options, settings.palettes());
    if (options.has("display-type") || options.has("range")) applyDisplayOptions(image.get(), options);
    writeImage(image.get(), options.output());
    return kDone;
}

int dispatch(int argc, char** argv) {
    const std::string command = argv[1];
    const Operation* op = findOperation(command);
    try {
        if (command == "list") return listCommand();
        if (command == "help" || command == "--help" || command == "-h") {
            const Operation* asked = argc > 2 ? findOperation(argv[2]) : nullptr;
            if (asked) std::fputs(helpOf(*asked).c_str(), stdout);
            else std::printf("%s\noperations:\n%s", kUsageText, operationList().c_str());
            return kDone;
        }
        if (op && std::any_of(argv + 2, argv + argc, [](const char* a) { return !std::strcmp(a, "--help"); })) {
            std::fputs(helpOf(*op).c_str(), stdout);
            return kDone;
        }
        const Options options(argc, argv, 2);
        if (command == "info") return infoCommand(options);
        if (command == "convert") return convertCommand(options);
        if (command == "plugin") return pluginCommand(options);
        if (!op) {
            std::fprintf(stderr, "qdcli: unknown operation %s (qdcli list names them)\n%s", command.c_str(),
                         kUsageText);
            return kUsage;
        }
        return runOperation(*op, options);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "qdcli %s: %s\n", command.c_str(), e.what());
        if (op) std::fprintf(stderr, "%s\n", usageOf(*op).c_str());
        else std::fputs(kUsageText, stderr);
        return kUsage;
    } catch (const FileError& e) {
        std::fprintf(stderr, "qdcli %s: %s\n", command.c_str(), e.what());
        return kFile;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "qdcli %s: refused: out of memory\n", command.c_str());
        return kRefused;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsageText, stderr);
        return kUsage;
    }
    return dispatch(argc, argv);
}
