#include "qt/GameSettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/GameSettingsTexts.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {

QDate qdate(const GameDate& d) { return QDate(d.year, d.month, d.day); }

GameDate gameDate(const QDate& d, std::uint8_t hour = 0) {
    return {static_cast<std::uint16_t>(d.year()), static_cast<std::uint16_t>(d.month()),
            static_cast<std::uint8_t>(d.day()), hour};
}

QDateEdit* dateEdit(const GameDate& shown, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setMinimumDate(QDate(1000, 1, 1));
    const QDate date = qdate(shown);
    edit->setDate(date.isValid() ? date : QDate::currentDate());
    return edit;
}

QPushButton* button(int text, QWidget* parent, const char* name) {
    auto* b = new QPushButton(uiString(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void selectKey(QComboBox* box, int key) {
    const int index = box->findData(key);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(uiString(kStrSettingsOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiString(kStrSettingsCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

GameSettingsDialog::GameSettingsDialog(GameSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(uiString(kStrSettingsTitle));
    setObjectName(QStringLiteral("gameSettings"));
    auto* layout = new QVBoxLayout(this);

    // The game: number, board and name.
    auto* game = new QGridLayout;
    game->addWidget(new QLabel(uiString(kStrSettingsNumber), this), 0, 0);
    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("number"));
    game->addWidget(m_number, 0, 1);
    m_thirteen = new QCheckBox(uiString(kStrSettingsThirteen), this);
    m_thirteen->setObjectName(QStringLiteral("thirteen"));
    game->addWidget(m_thirteen, 0, 2, 1, 2, Qt::AlignRight);
    game->addWidget(new QLabel(uiString(kStrSettingsName), this), 1, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMinimumWidth(320);
    game->addWidget(m_name, 1, 1, 1, 2);
    QPushButton* browse = button(kStrSettingsBrowse, this, "browse");
    game->addWidget(browse, 1, 3);
    game->setColumnStretch(1, 1);
    layout->addLayout(game);
    connect(browse, &QPushButton::clicked, this, [this] {
        takeValues();
        m_settings.proposeName();
        showValues();
    });

    // The players.
    auto* players = new QGroupBox(uiString(kStrPlayersGroup), this);
    auto* playerLayout = new QVBoxLayout(players);
    playerLayout->addWidget(playerRow(true));
    playerLayout->addWidget(playerRow(false));
    layout->addWidget(players);

    // Handicap and komi.
    auto* handicap = new QGroupBox(this);
    auto* handicapLayout = new QHBoxLayout(handicap);
    m_even = new QRadioButton(uiString(kStrSettingsEven), handicap);
    m_even->setObjectName(QStringLiteral("even"));
    m_handicapGame = new QRadioButton(uiString(kStrSettingsHandicapGame), handicap);
    m_handicapGame->setObjectName(QStringLiteral("handicapGame"));
    m_stones = new QComboBox(handicap);
    m_stones->setObjectName(QStringLiteral("stones"));
    for (const auto& [key, text] : m_settings.handicapChoices()) m_stones->addItem(qs(text), key);
    m_komi = new QComboBox(handicap);
    m_komi->setObjectName(QStringLiteral("komi"));
    for (const auto& [key, text] : m_settings.komiChoices()) m_komi->addItem(qs(text), key);
    handicapLayout->addWidget(m_even);
    handicapLayout->addWidget(m_handicapGame);
    handicapLayout->addWidget(new QLabel(uiString(kStrSettingsStones), handicap));
    handicapLayout->addWidget(m_stones);
    handicapLayout->addSpacing(16);
    handicapLayout->addWidget(new QLabel(uiString(kStrSettingsKomi), handicap));
    handicapLayout->addWidget(m_komi);
    handicapLayout->addStretch(1);
    layout->addWidget(handicap);
    connect(m_even, &QRadioButton::toggled, this, [this] { handicapChosen(); });
    connect(m_stones, &QComboBox::activated, this, [this] { handicapChosen(); });

    // The kind of game.
    auto* type = new QGroupBox(uiString(kStrSettingsType), this);
    auto* typeLayout = new QGridLayout(type);
    m_type = new QButtonGroup(this);
    const std::pair<int, GameTypeChoice> kinds[] = {{kStrTypeViewing, GameTypeChoice::Viewing},
                                                    {kStrTypePlay, GameTypeChoice::PlayAndRecord},
                                                    {kStrTypeMail, GameTypeChoice::MailGo},
                                                    {kStrTypeEnglishMail, GameTypeChoice::EnglishMailGo}};
    int column = 0;
    for (const auto& [text, choice] : kinds) {
        auto* radio = new QRadioButton(uiString(text), type);
        radio->setObjectName(QStringLiteral("type%1").arg(static_cast<int>(choice)));
        m_type->addButton(radio, static_cast<int>(choice));
        typeLayout->addWidget(radio, column / 2, column % 2);
        ++column;
    }
    layout->addWidget(type);
    connect(m_type, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (!on || m_showing) return;
        takeValues();
        showValues();
    });

    // Date, state and result.
    auto* state = new QGridLayout;
    state->addWidget(new QLabel(uiString(kStrSettingsStartDate), this), 0, 0);
    m_startDate = dateEdit(m_settings.values().startDate, this);
    m_startDate->setObjectName(QStringLiteral("startDate"));
    state->addWidget(m_startDate, 0, 1);
    state->addWidget(new QLabel(uiString(kStrSettingsState), this), 1, 0);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("state"));
    m_state->setFrameShape(QFrame::StyledPanel);
    state->addWidget(m_state, 1, 1);
    QPushButton* result = button(kStrSettingsResult, this, "result");
    state->addWidget(result, 1, 2);
    state->setColumnStretch(1, 1);
    m_startDate->setMaximumWidth(160);
    layout->addLayout(state);
    connect(result, &QPushButton::clicked, this, [this] {
        takeValues();
        m_settings.chooseResult();
        showValues();
    });

    // How the game is kept and shown.
    auto* options = new QGridLayout;
    m_search = new QCheckBox(uiString(kStrSettingsSearch), this);
    m_protect = new QCheckBox(uiString(kStrSettingsProtect), this);
    m_protect->setObjectName(QStringLiteral("protect"));
    m_hideLast = new QCheckBox(uiString(kStrSettingsHideLast), this);
    m_savable = new QCheckBox(uiString(kStrSettingsSavable), this);
    options->addWidget(m_search, 0, 0);
    options->addWidget(m_protect, 0, 1);
    options->addWidget(m_hideLast, 1, 0);
    options->addWidget(m_savable, 1, 1);
    auto* initial = new QHBoxLayout;
    initial->addWidget(new QLabel(uiString(kStrSettingsInitialMove), this));
    m_initialMove = new QSpinBox(this);
    m_initialMove->setRange(0, 9999);
    initial->addWidget(m_initialMove);
    initial->addStretch(1);
    options->addLayout(initial, 2, 0, 1, 2);
    layout->addLayout(options);

    // Mail Go: the cloud and the mail subject.
    auto* mail = new QGridLayout;
    m_cloud = new QCheckBox(uiString(kStrSettingsUseCloud), this);
    m_cloud->setObjectName(QStringLiteral("useCloud"));
    mail->addWidget(m_cloud, 0, 0);
    m_cloudButton = button(kStrSettingsCloud, this, "cloud");
    mail->addWidget(m_cloudButton, 0, 1, Qt::AlignLeft);
    mail->addWidget(new QLabel(uiString(kStrSettingsSubject), this), 1, 0);
    m_subject = new QLineEdit(this);
    m_subject->setObjectName(QStringLiteral("subject"));
    mail->addWidget(m_subject, 1, 1);
    mail->setColumnStretch(1, 1);
    layout->addLayout(mail);
    connect(m_cloudButton, &QPushButton::clicked, this, [this] {
        takeValues(); // the file proposed is named after the game as typed
        m_settings.cloudSettings();
        m_cloud->setChecked(m_settings.values().useCloud);
    });

    layout->addWidget(okCancel(this));
    showValues();
}

QWidget* GameSettingsDialog::playerRow(bool white) {
    const int side = white ? 0 : 1;
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_playerLine[side] = new QLabel(row);
    m_playerLine[side]->setMinimumWidth(140);
    layout->addWidget(m_playerLine[side], 0, 0);
    m_player[side] = new QComboBox(row);
    m_player[side]->setObjectName(QString::fromLatin1(white ? "whitePlayer" : "blackPlayer"));
    // A name typed that no member has becomes a member when the settings are confirmed.
    m_player[side]->setEditable(true);
    m_player[side]->setInsertPolicy(QComboBox::NoInsert);
    m_player[side]->setMinimumWidth(200);
    for (const std::u16string& name : m_settings.memberNames()) m_player[side]->addItem(qs(name));
    layout->addWidget(m_player[side], 0, 1);
    layout->addWidget(new QLabel(uiString(kStrSettingsRank), row), 0, 2);
    m_rank[side] = new QComboBox(row);
    m_rank[side]->setObjectName(QString::fromLatin1(white ? "whiteRank" : "blackRank"));
    m_rank[side]->setEditable(true);
    m_rank[side]->setMinimumWidth(90);
    for (const std::u16string& rank : m_settings.rankTexts()) m_rank[side]->addItem(qs(rank));
    layout->addWidget(m_rank[side], 0, 3);
    QPushButton* modify = button(kStrSettingsModify, row, white ? "whiteModify" : "blackModify");
    QPushButton* add = button(kStrSettingsNewPlayer, row, white ? "whiteNew" : "blackNew");
    layout->addWidget(modify, 0, 4);
    layout->addWidget(add, 0, 5);
    layout->setColumnStretch(1, 1);
    connect(modify, &QPushButton::clicked, this, [this, white] {
        takeValues();
        m_settings.editPlayer(white, false);
        showValues();
    });
    connect(add, &QPushButton::clicked, this, [this, white] {
        takeValues();
        m_settings.editPlayer(white, true);
        showValues();
    });
    connect(m_player[side], &QComboBox::currentTextChanged, this, [this, side, white](const QString& text) {
        if (m_showing) return;
        (white ? m_settings.edit().whiteName : m_settings.edit().blackName) = u16(text.trimmed());
        m_playerLine[side]->setText(qs(m_settings.playerLine(white)));
    });
    return row;
}

void GameSettingsDialog::showValues() {
    m_showing = true;
    const GameSettingsValues& v = m_settings.values();
    m_number->setText(v.number > 0 ? QString::number(v.number) : QString());
    m_thirteen->setChecked(v.thirteenLines);
    m_name->setText(qs(v.name));
    for (int side = 0; side < 2; ++side) {
        const bool white = side == 0;
        m_player[side]->setEditText(qs(white ? v.whiteName : v.blackName));
        m_rank[side]->setEditText(qs(white ? v.whiteRank : v.blackRank));
        m_playerLine[side]->setText(qs(m_settings.playerLine(white)));
    }
    showHandicap();
    selectKey(m_komi, v.komiKey);
    if (QAbstractButton* b = m_type->button(static_cast<int>(v.type))) b->setChecked(true);
    const QDate start = qdate(v.startDate);
    if (start.isValid()) m_startDate->setDate(start);
    m_state->setText(qs(m_settings.stateText()));
    m_search->setChecked(v.searchTarget);
    m_protect->setChecked(v.protect);
    m_initialMove->setValue(v.initialMove);
    const bool mail = m_settings.mailValuesApply();
    m_initialMove->setEnabled(!mail);
    m_cloud->setEnabled(mail);
    m_cloudButton->setEnabled(mail);
    m_subject->setEnabled(mail);
    m_thirteen->setEnabled(!m_settings.boardSizeFixed());
    m_hideLast->setChecked(v.hideLastNumber);
    m_savable->setChecked(v.savable);
    m_cloud->setChecked(v.useCloud);
    m_subject->setText(qs(v.mailSubject));
    m_showing = false;
}

void GameSettingsDialog::showHandicap() {
    const GameSettingsValues& v = m_settings.values();
    m_even->setChecked(v.even);
    m_handicapGame->setChecked(!v.even);
    selectKey(m_stones, v.handicap);
    m_stones->setEnabled(!v.even);
}

void GameSettingsDialog::handicapChosen() {
    if (m_showing) return;
    m_showing = true;
    // The core may ask whether the record may be cleared; "no" brings the stored choice back.
    m_settings.setHandicap(m_even->isChecked(), m_stones->currentData().toInt());
    showHandicap();
    m_showing = false;
}

void GameSettingsDialog::takeValues() {
    GameSettingsValues& v = m_settings.edit();
    v.thirteenLines = m_thirteen->isChecked();
    v.name = u16(m_name->text().trimmed());
    v.whiteName = u16(m_player[0]->currentText().trimmed());
    v.blackName = u16(m_player[1]->currentText().trimmed());
    v.whiteRank = u16(m_rank[0]->currentText().trimmed());
    v.blackRank = u16(m_rank[1]->currentText().trimmed());
    v.komiKey = m_komi->currentData().toInt();
    if (const int type = m_type->checkedId(); type >= 0) v.type = static_cast<GameTypeChoice>(type);
    // An unset start date stays unset until the user changes the one offered.
    if (v.startDate.year != 0 || m_startDate->date() != QDate::currentDate())
        v.startDate = gameDate(m_startDate->date());
    v.searchTarget = m_search->isChecked();
    v.protect = m_protect->isChecked();
    v.initialMove = m_initialMove->value();
    v.hideLastNumber = m_hideLast->isChecked();
    v.savable = m_savable->isChecked();
    v.useCloud = m_cloud->isChecked();
    v.mailSubject = u16(m_subject->text());
}

void GameSettingsDialog::accept() {
    takeValues();
    if (m_settings.confirm()) QDialog::accept();
}

// --- the result ----------------------------------------------------------------------------------

ResultDialog::ResultDialog(const ResultDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiString(kStrResultTitle));
    setObjectName(QStringLiteral("result"));
    auto* layout = new QVBoxLayout(this);
    auto* winner = new QGroupBox(uiString(kStrResultWinner), this);
    auto* winnerLayout = new QHBoxLayout(winner);
    m_winner = new QButtonGroup(this);
    const struct {
        int text;
        int id;
        const char* name;
    } winners[] = {{kStrSettingsInPlay, kInPlay, "inPlay"},
                   {kStrResultBlack, kBlackWins, "blackWins"},
                   {kStrResultWhite, kWhiteWins, "whiteWins"},
                   {kStrResultJigo, kJigo, "jigo"}};
    for (const auto& [text, id, name] : winners) {
        auto* radio = new QRadioButton(uiString(text), winner);
        radio->setObjectName(QString::fromLatin1(name));
        m_winner->addButton(radio, id);
        winnerLayout->addWidget(radio);
    }
    layout->addWidget(winner);

    auto* kind = new QGridLayout;
    m_kind = new QButtonGroup(this);
    auto* resignation = new QRadioButton(uiString(kStrResultResignation), this);
    auto* onTime = new QRadioButton(uiString(kStrResultOnTime), this);
    auto* points = new QRadioButton(uiString(kStrResultPoints), this);
    resignation->setObjectName(QStringLiteral("resignation"));
    onTime->setObjectName(QStringLiteral("onTime"));
    points->setObjectName(QStringLiteral("byPoints"));
    m_kind->addButton(points, static_cast<int>(WinKind::Points));
    m_kind->addButton(resignation, static_cast<int>(WinKind::Resignation));
    m_kind->addButton(onTime, static_cast<int>(WinKind::OnTime));
    kind->addWidget(resignation, 0, 0);
    kind->addWidget(onTime, 0, 1);
    kind->addWidget(points, 1, 0);
    auto* pointsRow = new QHBoxLayout;
    m_points = new QDoubleSpinBox(this);
    m_points->setObjectName(QStringLiteral("points"));
    m_points->setDecimals(1);
    m_points->setSingleStep(0.5);
    m_points->setRange(0.0, 999.5);
    m_points->setValue(request.points);
    pointsRow->addWidget(m_points);
    pointsRow->addWidget(new QLabel(uiString(kStrResultPointsUnit), this));
    kind->addLayout(pointsRow, 1, 1);
    layout->addLayout(kind);

    auto* ended = new QHBoxLayout;
    ended->addWidget(new QLabel(uiString(kStrResultEndDate), this));
    m_endDate = dateEdit(request.endDate, this);
    ended->addWidget(m_endDate);
    m_hour = new QSpinBox(this);
    m_hour->setRange(0, 23);
    m_hour->setValue(request.endDate.hour);
    ended->addWidget(m_hour);
    ended->addWidget(new QLabel(uiString(kStrResultHour), this));
    ended->addStretch(1);
    layout->addLayout(ended);
    layout->addWidget(okCancel(this));

    if (QAbstractButton* b = m_winner->button(request.winner)) b->setChecked(true);
    if (QAbstractButton* b = m_kind->button(static_cast<int>(request.kind))) b->setChecked(true);
    connect(m_winner, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_kind, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    updateEnabled();
}

void ResultDialog::updateEnabled() {
    const bool decided = m_winner->checkedId() == kBlackWins || m_winner->checkedId() == kWhiteWins;
    for (QAbstractButton* b : m_kind->buttons()) b->setEnabled(decided);
    m_points->setEnabled(decided && m_kind->checkedId() == static_cast<int>(WinKind::Points));
    m_endDate->setEnabled(m_winner->checkedId() != kInPlay);
    m_hour->setEnabled(m_winner->checkedId() != kInPlay);
}

ResultDialogResult ResultDialog::result() const {
    ResultDialogResult r;
    r.accepted = QDialog::result() == QDialog::Accepted;
    r.winner = static_cast<std::int16_t>(std::max(0, m_winner->checkedId()));
    r.kind = static_cast<WinKind>(std::max(0, m_kind->checkedId()));
    r.points = static_cast<float>(m_points->value());
    r.endDate = gameDate(m_endDate->date(), static_cast<std::uint8_t>(m_hour->value()));
    return r;
}

// --- a player ------------------------------------------------------------------------------------

PlayerDialog::PlayerDialog(const PlayerDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiString(kStrPlayerTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(uiString(kStrPlayerName), this), 0, 0);
    m_name = new QLineEdit(qs(request.name), this);
    m_name->setMinimumWidth(240);
    form->addWidget(m_name, 0, 1);
    form->addWidget(new QLabel(uiString(kStrPlayerKind), this), 1, 0);
    auto* kinds = new QHBoxLayout;
    m_kind = new QButtonGroup(this);
    const std::pair<int, int> choices[] = {{kStrKindSelf, 1}, {kStrKindOpponent, 2}, {kStrKindGeneral, 0}};
    for (const auto& [text, id] : choices) {
        auto* radio = new QRadioButton(uiString(text), this);
        m_kind->addButton(radio, id);
        kinds->addWidget(radio);
    }
    if (QAbstractButton* b = m_kind->button(request.kind)) b->setChecked(true);
    form->addLayout(kinds, 1, 1);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

PlayerDialogResult PlayerDialog::result() const {
    PlayerDialogResult r;
    r.accepted = QDialog::result() == QDialog::Accepted;
    r.name = u16(m_name->text().trimmed());
    r.kind = static_cast<std::uint16_t>(std::max(0, m_kind->checkedId()));
    return r;
}

} // namespace stonewise
