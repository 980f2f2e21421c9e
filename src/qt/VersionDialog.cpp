// The version dialog ("バージョン情報").
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/MainWindow.h"

namespace stonewise {

namespace {
constexpr const char* kSupportPage = "https://stonewise.example.org/support";
constexpr const char* kInquiryAddress = "mailto:support@stonewise.example.org?subject=Stonewise%202.2.0";
} // namespace

void MainWindow::showVersion() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("バージョン情報"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* name = new QLabel(QStringLiteral("%1, Version %2, Build %3").arg(QStringLiteral("Stonewise"), QStringLiteral("2.2.0")).arg(1052), &dialog);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    name->setFont(f);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("囲碁の棋譜管理・メール碁・棋譜鑑賞・問題集・碁ブック"), &dialog));
    auto* buttons = new QHBoxLayout;
    auto* site = new QPushButton(QStringLiteral("サポートページ"), &dialog);
    auto* mail = new QPushButton(QStringLiteral("問い合わせメール"), &dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
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
