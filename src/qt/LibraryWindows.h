#pragma once

#include <QDialog>
#include <optional>

#include "app/LibraryDialogs.h"
#include "app/ProgramDialogs.h"
#include "qt/GameListPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace stonewise {

// The library's dialogs: each shows its form and calls it for every button; the form decides.

// "対局リスト" (146).
class GameListDialog final : public QDialog {
    Q_OBJECT
public:
    GameListDialog(GameListForm& form, QWidget* parent);

private:
    void refresh();
    void updateButtons();
    void act(void (GameListForm::*action)());

    GameListForm& m_form;
    QComboBox* m_groups;
    QLineEdit* m_search;
    QLabel* m_found;
    QTreeWidget* m_list;
    std::vector<QPushButton*> m_needSelection;
    GameListOrder m_order;
};

// "対局のコピー・移動" (163).
class CopyMoveDialog final : public QDialog {
    Q_OBJECT
public:
    CopyMoveDialog(CopyMoveForm& form, QWidget* parent);

private:
    CopyMoveForm& m_form;
};

// "グループリスト".
class GroupListDialog final : public QDialog {
    Q_OBJECT
public:
    GroupListDialog(GroupListForm& form, QWidget* parent);

private:
    void refresh();
    int selectedGroup() const;

    GroupListForm& m_form;
    QTreeWidget* m_list;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QLabel* m_hint;
};

// "グループ設定" (153).
class GroupSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    GroupSettingsDialog(GroupSettingsForm& form, QWidget* parent);

private:
    void refresh();

    GroupSettingsForm& m_form;
    std::vector<std::pair<std::uint32_t, QCheckBox*>> m_boxes;
    QLineEdit* m_folder;
    QPushButton* m_browse;
};

// "対局メンバーリスト".
class MemberListDialog final : public QDialog {
    Q_OBJECT
public:
    MemberListDialog(MemberListForm& form, QWidget* parent);

private:
    void refresh();
    std::optional<int> selectedMember() const;

    MemberListForm& m_form;
    QTreeWidget* m_list;
};

// "対局者設定" (145).
class MemberSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    MemberSettingsDialog(MemberSettingsForm& form, QWidget* parent);

private:
    void refresh();

    MemberSettingsForm& m_form;
    QLineEdit* m_address;
    QPushButton* m_clearAlias;
};

// A list of names to pick one from ("既存メンバー名の参照").
class NameChoiceDialog final : public QDialog {
    Q_OBJECT
public:
    NameChoiceDialog(const NameChoiceRequest& request, QWidget* parent);
    std::optional<int> chosen() const { return m_chosen; }

private:
    QListWidget* m_names;
    std::optional<int> m_chosen;
};

} // namespace stonewise
