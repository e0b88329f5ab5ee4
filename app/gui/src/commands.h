#pragma once
// Command identifiers shared by menus, tool bars and the plug-in protocol.

namespace qd {

enum Command : int {
    IdNormalCursor = 32773,
    IdSelectCursor = 32772,
    IdMoveCursor = 32774,
    IdZoomCursor = 32775,
    IdBrushCursor = 32776,
    IdProfileCursor = 32777,
    IdMeasureCursor = 32778,
    IdStopPlugIn = 32781,
    IdViewHistogram = 32792,
    IdViewResult = 32793,
    IdViewBrushBar = 32794,
    IdViewStopBar = 32795,
    // The framework's standard commands.
    IdEditCut = 0xE123,
    IdEditCopy = 0xE122,
    IdEditPaste = 0xE125,
    IdFilePrint = 0xE107,
};

// Positions of the top-level menus of the image menu.
enum MenuPosition : int {
    MenuFile,
    MenuEdit,
    MenuView,
    MenuImage,
    MenuProcess,
    MenuColorProcess,
    MenuAnalysis,
    MenuPlugIn,
    MenuWindow,
    MenuHelp,
    MenuCount
};

} // namespace qd
