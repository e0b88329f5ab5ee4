#pragma once
// Builders of the image commands' table entries, and the families that fill
// it. An entry names its menu path and rule; its run is one of a few shapes:
// a new image from a matrix result, a new image from an image result, or a
// change of the image in place.

#include "command_rules.h"
#include "commands.h"
#include "command_run.h"
#include "image_commands.h"

#include <functional>
#include <optional>
#include <vector>

namespace qd {

using Commands = std::vector<ImageCommand>;

// A new matrix from the source image (already restricted to its selection).
using MatrixCall = std::function<MTHANDLE(IMHANDLE)>;
using ImageCall = std::function<IMHANDLE(IMHANDLE)>;

// What a command's dialog decided: the call to make and, from sheets with a
// display page, the display of the result.
struct MatrixPlan {
    MatrixCall call;
    std::optional<DisplayRecord> display;
};
// Runs the dialog; nothing on Cancel.
using MatrixDialog = std::function<std::optional<MatrixPlan>(CommandRun&)>;
using ImageDialog = std::function<std::optional<ImageCall>(CommandRun&)>;

struct NewMatrix {
    ResultDisplay display = ResultDisplay::DefaultRange; // unless the plan brings a record
    bool wholeImage = false;
    const char* titlePrefix = nullptr; // the title is this and the source's name
};

// A library function of one matrix and its destination, called on the source's data.
MatrixCall onData(MTHANDLE (*fn)(MTHANDLE, MTHANDLE));
// The kernel sheet of that caption and section, then fn (matrix, N, weights,
// divisor, destination) with the chosen kernel.
using WeightsFn = MTHANDLE (*)(MTHANDLE, int32_t, const double*, double, MTHANDLE);
MatrixDialog weightsDialog(int captionId, const char* section, WeightsFn fn);

ImageCommand newMatrixCommand(int menu, const char* path, Rule rule, NewMatrix how, MatrixDialog dialog);
ImageCommand newMatrixCommand(int menu, const char* path, Rule rule, NewMatrix how, MatrixCall call);
ImageCommand newImageCommand(int menu, const char* path, Rule rule, ImageDialog dialog);
ImageCommand newImageCommand(int menu, const char* path, Rule rule, ImageCall call);
// Changes the image in place; refused while another command reads the
// image. The body calls run.setLine once it made the change.
ImageCommand inPlaceCommand(int menu, const char* path, Rule rule, std::function<void(CommandRun&)> body);
// Anything else: the body does the whole run.
ImageCommand command(int menu, const char* path, Rule rule, std::function<void(CommandRun&)> body);

// Puts the command into the table with the qdcli line that does the same.
void add(Commands& table, ImageCommand command, CliLine line);

// The menu item's text: the command's name in messages.
QString commandName(const QString& path);

void addImageMenuCommands(Commands& table);
void addTransformCommands(Commands& table);
void addComplexAndRgbCommands(Commands& table);
void addFilterCommands(Commands& table);
void addFourierCommands(Commands& table);
void addMathCommands(Commands& table);
void addBackgroundCommands(Commands& table);
void addColorProcessCommands(Commands& table);
void addAnalysisCommands(Commands& table);

} // namespace qd
