// The version dialog ("バージョン情報").
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/MainWindow.h"
#include "qt/QtText.h"
#include "record/Text.h"

namespace stonewise {

namespace {
constexpr const char* kSupportPage = "https://stonewise.example.org/support";
constexpr const char* kInquiryAddress = "mailto:support@stonewise.example.org?subject=Stonewise%202.2.0";
} // namespace

void MainWindow::showVersion() {
    QDialog dialog(this);
    dialog.setWindowTitle(uiString(21100));
    auto* layout = new QVBoxLayout(&dialog);
    auto* name = new QLabel(qs(formatText(uiText(21101), {u"Stonewise", u"2.2.0", 1052})), &dialog);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    name->setFont(f);
    layout->addWidget(name);
    layout->addWidget(new QLabel(uiString(21102), &dialog));
    auto* buttons = new QHBoxLayout;
    auto* site = new QPushButton(uiString(21103), &dialog);
    auto* mail = new QPushButton(uiString(21104), &dialog);
    auto* ok = new QPushButton(uiString(21001), &dialog);
    ok->setDefault(true);
    buttons->addWidget(site);
    buttons->addWidget(mail);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(site, &QPushButton::clicked, &dialog, [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kSupportPage))); });
    connect(mail, &QPushButton::clicked, &dialog, [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kInquiryAddress))); });
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

} // namespace stonewise
