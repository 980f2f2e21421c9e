#pragma once

#include <string>
#include <vector>

namespace stonewise {

// A file type the file chooser offers: its name as the user reads it and its name patterns.
struct FileTypeFilter {
    std::u16string label;                 // "SGF 棋譜ファイル"
    std::vector<std::u16string> patterns; // "*.sgf"
};

// "棋譜ファイルを開く": one or several game-record files.
struct OpenFilesRequest {
    std::u16string title;
    std::string folder; // where the chooser starts; empty for its own choice
    std::vector<FileTypeFilter> filters;
};

// "棋譜をSGF形式で保存": where to write a game as SGF.
struct SaveFileRequest {
    std::u16string title;
    std::string folder;          // where the chooser starts
    std::u16string proposedName; // the default file name
    std::vector<FileTypeFilter> filters;
};

// One entry of a pop-up menu the core asks the desktop to show: a command (0 for a separator), its
// text and whether it can be chosen.
struct PopupItem {
    int command = 0;
    std::u16string text;
    bool enabled = true;
};

// A pop-up menu: a main-bar button's, or the board's right-click menu ("碁盤用").
struct PopupMenuRequest {
    int popup = -1; // the sub-menu number of the pop-up menus
    std::vector<PopupItem> items;
};

// "バージョン情報": the product line, a line about the program and three buttons.
struct VersionDialogRequest {
    std::u16string title;
    std::u16string productLine; // "Stonewise, Version 2.2.0, Build 1052"
    std::u16string description;
    std::u16string supportButton;
    std::u16string inquiryButton;
    std::u16string okButton;
};

enum class VersionDialogChoice { Close, SupportPage, InquiryMail };

// A list of names to choose one from, with a title and a line that says what to choose.
struct NameChoiceRequest {
    std::u16string title;
    std::u16string prompt;
    std::vector<std::u16string> names;
};

// A font as the desktop's font dialog gives it: its face and size in points.
struct FontChoice {
    std::u16string face;
    int points = 0;
};

} // namespace stonewise
