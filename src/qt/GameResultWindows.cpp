#include "qt/GameResultWindows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/GameListPanel.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {

constexpr int kStrClose = 25035;

QDate qDate(const GameDate& d) {
    const QDate date(d.year, d.month, d.day);
    return date.isValid() ? date : QDate(2000, 1, 1);
}

GameDate gameDate(const QDate& d) {
    return {static_cast<std::uint16_t>(d.year()), static_cast<std::uint16_t>(d.month()),
            static_cast<std::uint8_t>(d.day()), 0};
}

QDateEdit* dateEdit(const GameDate& day, QWidget* parent) {
    auto* edit = new QDateEdit(qDate(day), parent);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setCalendarPopup(true);
    return edit;
}

// An editable combo box offering `choices`, showing `current`.
QComboBox* nameCombo(const std::vector<std::u16string>& choices, const std::u16string& current, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(220);
    for (const std::u16string& c : choices) combo->addItem(qs(c));
    combo->setEditText(qs(current));
    return combo;
}

QPushButton* button(int textId, const char* name, QWidget* parent) {
    auto* b = new QPushButton(uiString(textId), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

// --- the list --------------------------------------------------------------------------------------

GameResultListDialog::GameResultListDialog(GameResultListForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(55010));
    auto* layout = new QVBoxLayout(this);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(new QLabel(uiString(55040), this));
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("groups"));
    groupRow->addWidget(m_groups, 1);
    m_deleteGroup = button(55041, "deleteGroup", this);
    groupRow->addWidget(m_deleteGroup);
    layout->addLayout(groupRow);
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(new QLabel(uiString(55047), this));
    m_newName = new QLineEdit(this);
    m_newName->setObjectName(QStringLiteral("newGroupName"));
    m_newName->setMaxLength(255);
    newRow->addWidget(m_newName, 1);
    auto* newGroup = button(55012, "newGroup", this);
    newRow->addWidget(newGroup);
    layout->addLayout(newRow);

    auto* row = new QHBoxLayout;
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("results"));
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(720, 300);
    row->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    row->addLayout(buttons);
    m_add = button(55042, "add", this);
    buttons->addWidget(m_add);
    connect(m_add, &QPushButton::clicked, this, [this] { act(&GameResultListForm::addRecord); });
    const struct {
        int textId;
        void (GameResultListForm::*action)();
        const char* name;
    } actions[] = {
        {55043, &GameResultListForm::editRecord, "edit"},
        {55044, &GameResultListForm::deleteRecord, "delete"},
        {55045, &GameResultListForm::showGame, "show"},
    };
    for (const auto& [textId, action, name] : actions) {
        QPushButton* b = button(textId, name, this);
        buttons->addWidget(b);
        m_needSelection.push_back(b);
        connect(b, &QPushButton::clicked, this, [this, action = action] { act(action); });
    }
    m_export = button(55046, "export", this);
    buttons->addWidget(m_export);
    connect(m_export, &QPushButton::clicked, this, [this] { act(&GameResultListForm::exportCsv); });
    buttons->addStretch(1);
    auto* close = button(kStrClose, "close", this);
    buttons->addWidget(close);
    layout->addLayout(row, 1);

    auto* tallyRow = new QHBoxLayout;
    tallyRow->addWidget(new QLabel(uiString(55022), this));
    m_players = new QComboBox(this);
    m_players->setObjectName(QStringLiteral("players"));
    m_players->setMinimumWidth(200);
    tallyRow->addWidget(m_players);
    m_wins = new QLabel(this);
    m_losses = new QLabel(this);
    m_jigo = new QLabel(this);
    for (QLabel* l : {m_wins, m_losses, m_jigo}) tallyRow->addWidget(l);
    tallyRow->addStretch(1);
    layout->addLayout(tallyRow);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);

    connect(close, &QPushButton::clicked, this, [this] { act(&GameResultListForm::close); });
    connect(newGroup, &QPushButton::clicked, this, [this] {
        m_form.setNewGroupName(u16(m_newName->text()));
        act([](GameResultListForm& f) { f.newGroup(); });
    });
    connect(m_newName, &QLineEdit::returnPressed, newGroup, &QPushButton::click);
    connect(m_deleteGroup, &QPushButton::clicked, this, [this] { act(&GameResultListForm::deleteGroup); });
    connect(m_groups, &QComboBox::activated, this, [this](int index) {
        m_form.setGroup(m_groups->itemData(index).toInt());
        refresh();
    });
    connect(m_players, &QComboBox::activated, this, [this](int index) {
        m_form.setPlayer(index);
        refresh();
    });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_form.select(item ? m_list->indexOfTopLevelItem(item) : -1);
        for (QPushButton* b : m_needSelection) b->setEnabled(m_form.selected() >= 0);
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { act(&GameResultListForm::editRecord); });
    refresh();
}

void GameResultListDialog::act(void (GameResultListForm::*action)()) {
    act([action](GameResultListForm& f) { (f.*action)(); });
}

void GameResultListDialog::act(const std::function<void(GameResultListForm&)>& action) {
    action(m_form);
    if (m_form.closeRequested()) {
        accept();
        return;
    }
    refresh();
}

void GameResultListDialog::refresh() {
    {
        QSignalBlocker block(m_groups);
        m_groups->clear();
        for (const ResultGroupChoice& g : m_form.groups()) m_groups->addItem(qs(g.name), g.slot);
        m_groups->setCurrentIndex(m_groups->findData(m_form.group()));
    }
    const bool hasGroup = m_form.group() >= 0;
    m_deleteGroup->setEnabled(hasGroup);
    m_add->setEnabled(hasGroup);
    m_export->setEnabled(hasGroup);
    m_newName->setText(qs(m_form.newGroupName()));

    const int selected = m_form.selected();
    {
        QSignalBlocker block(m_list);
        std::vector<std::u16string> header;
        for (int c = 0; c < kGameResultColumns; ++c)
            header.push_back(gameResultColumnTitle(static_cast<GameResultColumn>(c)));
        std::vector<std::pair<int, std::vector<std::u16string>>> rows;
        for (const GameResultRow& r : m_form.rows())
            rows.emplace_back(r.slot, std::vector<std::u16string>(r.cells.begin(), r.cells.end()));
        fillRows(m_list, header, rows, {2, 3, 6, 7, 8});
        for (int c = 0; c + 1 < m_list->columnCount(); ++c) m_list->resizeColumnToContents(c);
        if (selected >= 0 && selected < m_list->topLevelItemCount())
            m_list->setCurrentItem(m_list->topLevelItem(selected));
    }
    for (QPushButton* b : m_needSelection) b->setEnabled(m_form.selected() >= 0);

    {
        QSignalBlocker block(m_players);
        m_players->clear();
        for (const std::u16string& p : m_form.playerChoices()) m_players->addItem(qs(p));
        m_players->setCurrentIndex(m_form.player());
    }
    const ResultTally t = m_form.tally();
    m_wins->setText(QStringLiteral("%1 %2").arg(uiString(55019)).arg(t.wins));
    m_losses->setText(QStringLiteral("%1 %2").arg(uiString(55020)).arg(t.losses));
    m_jigo->setText(QStringLiteral("%1 %2").arg(uiString(55021)).arg(t.jigo));
    m_status->setText(qs(m_form.statusLine()));
}

// --- one record ------------------------------------------------------------------------------------

GameResultDialog::GameResultDialog(GameResultForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(uiString(55011));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    m_name = new QLineEdit(qs(form.gameName()), this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(255);
    fields->addRow(uiString(55056), m_name);
    m_begun = dateEdit(form.begun(), this);
    m_begun->setObjectName(QStringLiteral("begun"));
    fields->addRow(uiString(55050), m_begun);
    m_ended = dateEdit(form.ended(), this);
    m_ended->setObjectName(QStringLiteral("ended"));
    fields->addRow(uiString(55051), m_ended);
    m_place = nameCombo(form.placeChoices(), form.place(), this);
    m_place->setObjectName(QStringLiteral("place"));
    if (form.place().empty()) m_place->setCurrentIndex(0);
    fields->addRow(uiString(55057), m_place);
    m_black = nameCombo(form.playerChoices(), form.black(), this);
    m_black->setObjectName(QStringLiteral("black"));
    fields->addRow(uiString(55052), m_black);
    m_white = nameCombo(form.playerChoices(), form.white(), this);
    m_white->setObjectName(QStringLiteral("white"));
    fields->addRow(uiString(55053), m_white);
    auto* handicapRow = new QHBoxLayout;
    m_handicap = new QSpinBox(this);
    m_handicap->setObjectName(QStringLiteral("handicap"));
    m_handicap->setRange(0, 99);
    m_handicap->setValue(form.handicap());
    handicapRow->addWidget(m_handicap);
    handicapRow->addWidget(new QLabel(uiString(55061), this));
    m_komi = new QDoubleSpinBox(this);
    m_komi->setObjectName(QStringLiteral("komi"));
    m_komi->setDecimals(1); // "%0.1f"
    m_komi->setRange(-99.5, 99.5);
    m_komi->setSingleStep(0.5);
    m_komi->setValue(form.komi());
    handicapRow->addWidget(m_komi);
    handicapRow->addStretch(1);
    fields->addRow(uiString(55060), handicapRow);
    layout->addLayout(fields);

    auto* result = new QGroupBox(uiString(55055), this);
    auto* resultLayout = new QVBoxLayout(result);
    auto* winnerRow = new QHBoxLayout;
    m_blackWon = new QRadioButton(uiString(55062), result);
    m_whiteWon = new QRadioButton(uiString(55063), result);
    m_jigo = new QRadioButton(uiString(kStrDrawnGame), result);
    auto* winners = new QButtonGroup(result);
    for (QRadioButton* r : {m_blackWon, m_whiteWon, m_jigo}) {
        winners->addButton(r);
        winnerRow->addWidget(r);
    }
    winnerRow->addStretch(1);
    resultLayout->addLayout(winnerRow);
    auto* howRow = new QHBoxLayout;
    m_byPoints = new QRadioButton(uiString(55064), result);
    m_byResignation = new QRadioButton(uiString(55065), result);
    m_onTime = new QRadioButton(uiString(55066), result);
    auto* hows = new QButtonGroup(result);
    for (QRadioButton* r : {m_byPoints, m_byResignation, m_onTime}) {
        hows->addButton(r);
        howRow->addWidget(r);
    }
    howRow->addWidget(new QLabel(uiString(55067), result));
    m_points = new QLineEdit(qs(form.points()), result);
    m_points->setObjectName(QStringLiteral("points"));
    m_points->setMaximumWidth(80);
    howRow->addWidget(m_points);
    howRow->addStretch(1);
    resultLayout->addLayout(howRow);
    layout->addWidget(result);
    m_blackWon->setObjectName(QStringLiteral("blackWon"));
    m_whiteWon->setObjectName(QStringLiteral("whiteWon"));
    m_jigo->setObjectName(QStringLiteral("jigo"));
    m_byResignation->setObjectName(QStringLiteral("resignation"));
    m_onTime->setObjectName(QStringLiteral("onTime"));
    (form.winner() == kResultBlackWon ? m_blackWon
     : form.winner() == kResultJigo   ? m_jigo
                                      : m_whiteWon)
        ->setChecked(true);
    (form.marginKind() == ResultMarginKind::Resignation ? m_byResignation
     : form.marginKind() == ResultMarginKind::OnTime    ? m_onTime
                                                        : m_byPoints)
        ->setChecked(true);

    layout->addWidget(new QLabel(uiString(55058), this));
    m_impressions = new QPlainTextEdit(qs(form.impressions()), this);
    m_impressions->setObjectName(QStringLiteral("impressions"));
    m_impressions->setMinimumHeight(80);
    layout->addWidget(m_impressions);

    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addStretch(1);
    auto* ok = button(kStrDialogOk, "ok", this);
    ok->setDefault(true);
    auto* cancel = button(kStrDialogCancel, "cancel", this);
    buttonsRow->addWidget(ok);
    buttonsRow->addWidget(cancel);
    layout->addLayout(buttonsRow);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, [this] {
        take();
        if (m_form.confirm()) accept();
    });
    for (QRadioButton* r : {m_blackWon, m_whiteWon, m_jigo, m_byPoints, m_byResignation, m_onTime})
        connect(r, &QRadioButton::toggled, this, [this] { refresh(); });
    refresh();
}

void GameResultDialog::refresh() {
    // The kind of win and the points count only for a decided game; the points only when counted.
    const bool decided = !m_jigo->isChecked();
    for (QRadioButton* r : {m_byPoints, m_byResignation, m_onTime}) r->setEnabled(decided);
    m_points->setEnabled(decided && m_byPoints->isChecked());
}

void GameResultDialog::take() {
    m_form.setGameName(u16(m_name->text()));
    m_form.setBegun(gameDate(m_begun->date()));
    m_form.setEnded(gameDate(m_ended->date()));
    m_form.setPlace(u16(m_place->currentText()));
    m_form.setBlack(u16(m_black->currentText()));
    m_form.setWhite(u16(m_white->currentText()));
    m_form.setHandicap(m_handicap->value());
    m_form.setKomi(static_cast<float>(m_komi->value()));
    m_form.setWinner(m_blackWon->isChecked() ? kResultBlackWon : m_jigo->isChecked() ? kResultJigo : 2);
    m_form.setMarginKind(m_byResignation->isChecked() ? ResultMarginKind::Resignation
                         : m_onTime->isChecked()      ? ResultMarginKind::OnTime
                                                      : ResultMarginKind::Points);
    m_form.setPoints(u16(m_points->text()));
    m_form.setImpressions(u16(m_impressions->toPlainText()));
}

} // namespace stonewise
