#pragma once

#include <string>
#include <vector>

#include "mailgo/CloudRegistry.h"

namespace stonewise {

class StringTable;
class Ui;

// "クラウド設定": which file of a cloud folder carries a Mail Go game's moves, without a window.
// The file is chosen by making a new one or by taking an existing game's file; either way its
// folder and file are found in the registry (ignoring case) or added. Cancelling drops the entries
// the dialog added.
class CloudSettingsForm {
public:
    CloudSettingsForm(CloudRegistry& registry, CloudFileId file, bool alsoMail, std::u16string gameName, Ui* ui,
                      const StringTable* strings, std::string startFolder);

    // "クラウドフォルダ：" and "ファイル名：" of the file chosen; empty for none.
    std::u16string folderText() const;
    std::u16string fileText() const;
    // "「次の手」をクラウドに保存したとき、メールも作成する".
    bool alsoMail() const { return m_alsoMail; }
    void setAlsoMail(bool on) { m_alsoMail = on; }
    CloudFileId file() const { return m_file; }

    // "新規対局のファイル作成...": a new next-move file named after the game.
    void createFile();
    // "既存対局のファイル参照...": the file the other player's game already uses.
    void referToFile();
    // "クラウド利用を停止": the game leaves the cloud; the dialog closes with it.
    void stopUsing() { m_file = kNoCloudFile; }
    // Cancel: the entries added while the dialog was open are dropped again.
    void cancel();

    // The dialog's texts.
    std::u16string text(int id) const;

private:
    void take(const std::string& path);

    CloudRegistry& m_registry;
    CloudFileId m_file;
    bool m_alsoMail;
    std::u16string m_gameName;
    Ui* m_ui;
    const StringTable* m_strings;
    std::string m_startFolder;
    std::vector<CloudFileId> m_created;
};

// The texts of the dialog.
enum CloudSettingsText : int {
    kStrCloudSettingsTitle = 53050,  // "クラウド設定"
    kStrCloudFolder = 53051,         // "クラウドフォルダ："
    kStrCloudFileName = 53052,       // "ファイル名："
    kStrCloudNewFile = 53053,        // "新規対局のファイル作成..."
    kStrCloudExistingFile = 53054,   // "既存対局のファイル参照..."
    kStrCloudStop = 53055,           // "クラウド利用を停止"
    kStrCloudAlsoMail = 53056,       // "「次の手」をクラウドに保存したとき、メールも作成する"
    kStrCloudMailFiles = 53057,      // "Mail files"
    kStrCloudNextMoveFiles = 53043,  // "次の手ファイル"
    kStrCloudCannotRegister = 53058, // the file could not be taken into the registry
};

} // namespace stonewise
