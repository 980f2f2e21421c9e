#include "qt/LibraryWindows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/GameListPanel.h"
#include "qt/QtText.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrClose = 25035;

QTreeWidget* newList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    return list;
}

int keyOf(const QTreeWidget* list) {
    const QTreeWidgetItem* item = list->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void selectKey(QTreeWidget* list, int key) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == key) list->setCurrentItem(list->topLevelItem(i));
}

void fitColumns(QTreeWidget* list) {
    for (int c = 0; c + 1 < list->columnCount(); ++c) list->resizeColumnToContents(c);
}

// A column of buttons beside a list.
QVBoxLayout* buttonColumn(QHBoxLayout* row) {
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    return column;
}

QHBoxLayout* okCancel(QDialog* dialog, QVBoxLayout* layout, QPushButton** ok) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    *ok = new QPushButton(uiString(kStrDialogOk), dialog);
    (*ok)->setDefault(true);
    auto* cancel = new QPushButton(uiString(kStrDialogCancel), dialog);
    buttons->addWidget(*ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// --- the game list ---------------------------------------------------------------------------------

GameListDialog::GameListDialog(GameListForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(50000));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(uiString(50008), this));
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("groups"));
    for (const GroupChoice& c : form.groups()) m_groups->addItem(qs(c.text), c.group);
    top->addWidget(m_groups, 1);
    layout->addLayout(top);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(uiString(50012), this));
    m_search = new QLineEdit(this);
    search->addWidget(m_search, 1);
    auto* find = new QPushButton(uiString(50010), this);
    search->addWidget(find);
    m_found = new QLabel(this);
    search->addWidget(m_found);
    layout->addLayout(search);

    auto* row = new QHBoxLayout;
    m_list = newList(this);
    m_list->setObjectName(QStringLiteral("games"));
    m_list->setMinimumSize(560, 320);
    row->addWidget(m_list, 1);
    QVBoxLayout* buttons = buttonColumn(row);
    const struct {
        int textId;
        void (GameListForm::*action)();
        const char* name;
    } actions[] = {
        {50001, &GameListForm::showGame, "show"},
        {50002, &GameListForm::deleteGame, "delete"},
        {50003, &GameListForm::toggleProtection, "protect"},
        {50004, &GameListForm::editGame, "edit"},
        {50005, &GameListForm::copyGame, "copy"},
        {50006, &GameListForm::saveSgf, "saveSgf"},
    };
    for (const auto& [textId, action, name] : actions) {
        auto* b = new QPushButton(uiString(textId), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        m_needSelection.push_back(b);
        connect(b, &QPushButton::clicked, this, [this, action = action] { act(action); });
    }
    buttons->addStretch(1);
    auto* close = new QPushButton(uiString(kStrClose), this);
    close->setObjectName(QStringLiteral("close"));
    buttons->addWidget(close);
    layout->addLayout(row, 1);

    connect(close, &QPushButton::clicked, this, [this] { act(&GameListForm::close); });
    connect(m_groups, &QComboBox::activated, this, [this](int index) {
        m_form.setGroup(m_groups->itemData(index).toInt());
        refresh();
    });
    connect(find, &QPushButton::clicked, this, [this] {
        m_form.search(u16(m_search->text()));
        refresh();
    });
    connect(m_search, &QLineEdit::returnPressed, find, &QPushButton::click);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) m_form.select(item->data(0, Qt::UserRole).toInt());
        updateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { act(&GameListForm::showGame); });
    sortOnHeaderClicks(m_list, dialogColumns(), m_order, [this] { refresh(); });
    refresh();
}

void GameListDialog::act(void (GameListForm::*action)()) {
    (m_form.*action)();
    if (m_form.closeRequested()) {
        accept();
        return;
    }
    refresh();
}

void GameListDialog::refresh() {
    const int index = m_groups->findData(m_form.group());
    if (index >= 0) m_groups->setCurrentIndex(index);
    const int selected = m_form.selected();
    QSignalBlocker block(m_list);
    fillGameRows(m_list, dialogColumns(), m_form.rows(), m_order, m_form.externalGroup());
    fitColumns(m_list);
    // Something is always selected while the group has games.
    if (selected >= 0) selectKey(m_list, selected);
    else if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    if (QTreeWidgetItem* item = m_list->currentItem()) m_form.select(item->data(0, Qt::UserRole).toInt());
    updateButtons();
}

void GameListDialog::updateButtons() {
    for (QPushButton* b : m_needSelection) b->setEnabled(m_form.selected() >= 0);
    // "保護" stays pressed while the selected game is protected.
    QPushButton* protect = m_needSelection[2];
    protect->setCheckable(true);
    bool isProtected = false;
    for (const GameListRow& r : m_form.rows())
        if (r.info.number == m_form.selected()) isProtected = r.info.isProtected();
    protect->setChecked(isProtected);
    m_found->setText(qs(m_form.searchResult()));
}

// --- copy and move ---------------------------------------------------------------------------------

CopyMoveDialog::CopyMoveDialog(CopyMoveForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(50090));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    auto* source = new QLabel(qs(form.sourceText()), this);
    fields->addRow(uiString(50091), source);
    auto* game = new QLabel(qs(form.gameText()), this);
    fields->addRow(uiString(50092), game);
    auto* destination = new QComboBox(this);
    destination->setObjectName(QStringLiteral("destination"));
    for (const GroupChoice& c : form.destinations()) destination->addItem(qs(c.text), c.group);
    destination->setCurrentIndex(destination->findData(form.destination()));
    fields->addRow(uiString(50093), destination);
    auto* name = new QLineEdit(qs(form.name()), this);
    name->setMaxLength(static_cast<int>(kMaxCopyNameLength));
    name->setMinimumWidth(320);
    fields->addRow(uiString(50094), name);
    layout->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* copy = new QPushButton(uiString(50095), this);
    auto* move = new QPushButton(uiString(50096), this);
    auto* cancel = new QPushButton(uiString(kStrDialogCancel), this);
    copy->setDefault(true);
    copy->setObjectName(QStringLiteral("copy"));
    move->setObjectName(QStringLiteral("move"));
    for (QPushButton* b : {copy, move, cancel}) buttons->addWidget(b);
    layout->addLayout(buttons);
    auto run = [this, destination, name](bool isMove) {
        m_form.setDestination(destination->currentData().toInt());
        m_form.setName(u16(name->text()));
        const bool done = isMove ? m_form.move() : m_form.copy();
        name->setText(qs(m_form.name()));
        if (done) accept();
    };
    connect(copy, &QPushButton::clicked, this, [run] { run(false); });
    connect(move, &QPushButton::clicked, this, [run] { run(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// --- groups ----------------------------------------------------------------------------------------

GroupListDialog::GroupListDialog(GroupListForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(20709));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_list = newList(this);
    m_list->setMinimumSize(520, 300);
    row->addWidget(m_list, 1);
    QVBoxLayout* buttons = buttonColumn(row);
    auto* add = new QPushButton(uiString(50023), this);
    m_edit = new QPushButton(uiString(50004), this);
    m_delete = new QPushButton(uiString(50002), this);
    auto* close = new QPushButton(uiString(kStrClose), this);
    for (QPushButton* b : {add, m_edit, m_delete}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(row, 1);
    m_hint = new QLabel(this);
    layout->addWidget(m_hint);
    connect(add, &QPushButton::clicked, this, [this] {
        m_form.newGroup();
        refresh();
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        if (const int g = selectedGroup(); g >= 0) m_form.editGroup(g);
        refresh();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (const int g = selectedGroup(); g >= 0) m_form.deleteGroup(g);
        refresh();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        const int g = selectedGroup();
        bool deletable = false;
        for (const GroupListRow& r : m_form.rows())
            if (r.group == g) deletable = r.deletable;
        m_edit->setEnabled(g >= 0);
        // Deleting is offered only for an empty group that is not the current one.
        m_delete->setEnabled(deletable);
        m_hint->setText(g >= 0 && !deletable ? qs(m_form.deleteHint()) : QString());
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, m_edit, &QPushButton::click);
    refresh();
}

int GroupListDialog::selectedGroup() const { return keyOf(m_list); }

void GroupListDialog::refresh() {
    const int selected = selectedGroup();
    std::vector<std::u16string> header;
    for (GroupListColumn c :
         {GroupListColumn::Number, GroupListColumn::Name, GroupListColumn::Games, GroupListColumn::Type})
        header.push_back(groupListColumnTitle(c));
    std::vector<std::pair<int, std::vector<std::u16string>>> rows;
    for (const GroupListRow& r : m_form.rows())
        rows.emplace_back(r.group, std::vector<std::u16string>(r.cells.begin(), r.cells.end()));
    fillRows(m_list, header, rows, {1});
    fitColumns(m_list);
    if (selected >= 0) selectKey(m_list, selected);
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
}

GroupSettingsDialog::GroupSettingsDialog(GroupSettingsForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(20708));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    fields->addRow(uiString(50030), new QLabel(QString::number(form.shownNumber()), this));
    auto* name = new QLineEdit(qs(form.name()), this);
    name->setMaxLength(255);
    name->setMinimumWidth(300);
    fields->addRow(uiString(50031), name);
    layout->addLayout(fields);
    auto* kinds = new QGroupBox(uiString(50046), this);
    auto* kindColumn = new QVBoxLayout(kinds);
    for (const GroupTypeBox& box : groupTypeBoxes()) {
        auto* check = new QCheckBox(uiString(box.textId), kinds);
        kindColumn->addWidget(check);
        m_boxes.emplace_back(box.bit, check);
        connect(check, &QCheckBox::clicked, this, [this, bit = box.bit](bool on) {
            m_form.setChecked(bit, on);
            refresh();
        });
    }
    layout->addWidget(kinds);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(uiString(50039), this));
    m_folder = new QLineEdit(qs(form.folder()), this);
    folderRow->addWidget(m_folder, 1);
    m_browse = new QPushButton(uiString(50040), this);
    folderRow->addWidget(m_browse);
    layout->addLayout(folderRow);
    QPushButton* ok = nullptr;
    okCancel(this, layout, &ok);
    connect(name, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.setName(u16(t)); });
    connect(m_folder, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.setFolder(u16(t)); });
    connect(m_browse, &QPushButton::clicked, this, [this] {
        m_form.browse();
        refresh();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_form.confirm()) accept();
    });
    refresh();
}

void GroupSettingsDialog::refresh() {
    for (auto& [bit, check] : m_boxes) {
        check->setChecked(m_form.checked(bit));
        check->setEnabled(m_form.enabled(bit));
    }
    m_folder->setText(qs(m_form.folder()));
    m_folder->setEnabled(m_form.folderEnabled());
    m_browse->setEnabled(m_form.folderEnabled());
}

// --- members ---------------------------------------------------------------------------------------

MemberListDialog::MemberListDialog(MemberListForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(50050));
    auto* layout = new QHBoxLayout(this);
    m_list = newList(this);
    m_list->setMinimumSize(620, 320);
    layout->addWidget(m_list, 1);
    QVBoxLayout* buttons = buttonColumn(layout);
    auto* add = new QPushButton(uiString(50051), this);
    auto* edit = new QPushButton(uiString(50004), this);
    auto* remove = new QPushButton(uiString(50002), this);
    auto* close = new QPushButton(uiString(kStrClose), this);
    for (QPushButton* b : {add, edit, remove}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    connect(add, &QPushButton::clicked, this, [this] {
        m_form.addMember();
        refresh();
    });
    connect(edit, &QPushButton::clicked, this, [this] {
        if (auto m = selectedMember()) m_form.editMember(*m);
        refresh();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (auto m = selectedMember()) m_form.deleteMember(*m);
        refresh();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTreeWidget::itemDoubleClicked, edit, &QPushButton::click);
    refresh();
}

std::optional<int> MemberListDialog::selectedMember() const {
    const int key = keyOf(m_list);
    return key >= 0 ? std::optional(key) : std::nullopt;
}

void MemberListDialog::refresh() {
    const int selected = keyOf(m_list);
    std::vector<std::u16string> header;
    for (MemberListColumn c : {MemberListColumn::Number, MemberListColumn::Name, MemberListColumn::Kind,
                               MemberListColumn::Address, MemberListColumn::Registered})
        header.push_back(memberListColumnTitle(c));
    std::vector<std::pair<int, std::vector<std::u16string>>> rows;
    for (const MemberListRow& r : m_form.rows())
        rows.emplace_back(r.member, std::vector<std::u16string>(r.cells.begin(), r.cells.end()));
    fillRows(m_list, header, rows, {1, 3});
    fitColumns(m_list);
    if (selected >= 0) selectKey(m_list, selected);
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
}

MemberSettingsDialog::MemberSettingsDialog(MemberSettingsForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(50070));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    fields->addRow(uiString(50071), new QLabel(QString::number(form.number()), this));
    auto* kinds = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (const auto& [kind, textId] : {std::pair{int{kMemberSelf}, 50057}, std::pair{int{kMemberOpponent}, 50058},
                                       std::pair{int{kMemberGeneral}, 50059}}) {
        auto* radio = new QRadioButton(uiString(textId), this);
        radio->setChecked(form.kind() == kind);
        group->addButton(radio, kind);
        kinds->addWidget(radio);
    }
    fields->addRow(uiString(50072), kinds);
    auto* name = new QLineEdit(qs(form.name()), this);
    name->setMaxLength(255);
    name->setMinimumWidth(300);
    fields->addRow(uiString(50073), name);
    m_address = new QLineEdit(qs(form.address()), this);
    m_address->setMaxLength(255);
    fields->addRow(uiString(50074), m_address);
    fields->addRow(uiString(50075), new QLabel(qs(form.registeredText()), this));
    layout->addLayout(fields);
    auto* aliasRow = new QHBoxLayout;
    auto* makeAlias = new QPushButton(uiString(50076), this);
    m_clearAlias = new QPushButton(uiString(50077), this);
    aliasRow->addWidget(makeAlias);
    aliasRow->addWidget(m_clearAlias);
    aliasRow->addStretch(1);
    layout->addLayout(aliasRow);
    QPushButton* ok = nullptr;
    okCancel(this, layout, &ok);
    connect(group, &QButtonGroup::idClicked, this, [this](int kind) { m_form.setKind(kind); });
    connect(name, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.setName(u16(t)); });
    connect(m_address, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_form.setAddress(u16(t));
        refresh();
    });
    connect(makeAlias, &QPushButton::clicked, this, [this] {
        m_form.makeAlias();
        refresh();
    });
    connect(m_clearAlias, &QPushButton::clicked, this, [this] {
        m_form.clearAlias();
        refresh();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_form.confirm()) accept();
    });
    refresh();
}

void MemberSettingsDialog::refresh() {
    if (m_address->text() != qs(m_form.address())) m_address->setText(qs(m_form.address()));
    m_clearAlias->setEnabled(m_form.isAlias());
}

NameChoiceDialog::NameChoiceDialog(const NameChoiceRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(request.title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qs(request.prompt), this));
    m_names = new QListWidget(this);
    for (const std::u16string& n : request.names) {
        auto* item = new QListWidgetItem(qs(n), m_names);
        item->setData(kUserContentRole, true);
    }
    if (m_names->count() > 0) m_names->setCurrentRow(0);
    layout->addWidget(m_names, 1);
    QPushButton* ok = nullptr;
    okCancel(this, layout, &ok);
    auto choose = [this] {
        if (m_names->currentRow() < 0) return;
        m_chosen = m_names->currentRow();
        accept();
    };
    connect(ok, &QPushButton::clicked, this, choose);
    connect(m_names, &QListWidget::itemDoubleClicked, this, choose);
}

} // namespace stonewise
