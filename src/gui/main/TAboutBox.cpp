#include "main/TAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace lumadex {
namespace {

constexpr int kIconSize = 48;

QLabel* NamedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    ProgramIcon = NamedLabel("ProgramIcon", QString());
    ProgramIcon->setPixmap(
        style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(kIconSize, kIconSize));
    ProductName = NamedLabel("ProductName", QStringLiteral("Lumadex Lite"));
    QFont title = ProductName->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    ProductName->setFont(title);
    // The version is the build's project version.
    Version = NamedLabel("Version", QStringLiteral("Version ") + QLatin1String(LUMADEX_VERSION));
    Comments =
        NamedLabel("Comments", QStringLiteral("A picture catalogue that finds similar pictures."));
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addWidget(Comments);
    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace lumadex
