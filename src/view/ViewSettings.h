#pragma once

namespace stonewise {

// The settings that drawing a board reads, as the settings record and the display switches hold
// them. Filled by the program from the settings; the defaults are those of a first start.
struct ViewSettings {
    bool japanese = true;           // interface language: full-width digits in labels
    bool coordinatesHidden = false; // "表示しない"
    int coordinateOrigin = 0;       // 0 "左上", 1 "左下", 2 "右下（古碁）"
    int horizontalLabels = 1;       // 0 or 1 digits, 2 lower-case letters, 3 upper-case letters
    int verticalLabels = 0;         // 0 kanji numerals, 1 digits, 2 lower-case, 3 upper-case letters
    int numbersBeforeLast = 0; // "最終手以前の番号表示手数" 0..10; negative: not even the last move's number
    bool commentMarks = true;  // "コメント付きの石にマークを表示する"
    bool branchMarks = false;  // "分岐の状態を盤上にマークで表示する"
    bool lastMoveMarkOff = false; // "最終手マークを表示しない"
    bool diagramDisplay = false;  // "棋譜図表示にする"
    bool largeImages = false;     // the alternative (large) picture set
};

} // namespace stonewise
