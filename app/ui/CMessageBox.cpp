#include "CMessageBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QStyle::StandardPixmap pixmapFor(CMessageBoxStyle::Icon icon)
{
    switch (icon) {
    case CMessageBoxStyle::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case CMessageBoxStyle::Icon::Error:
        return QStyle::SP_MessageBoxCritical;
    case CMessageBoxStyle::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case CMessageBoxStyle::Icon::Information:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

// Texts are written with the platform's line breaks; a lone "\r" would show.
QString displayText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

CMessageBox::CMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type)
    : QDialog(parent), type_(type), icon_(CMessageBoxStyle::IconFor(type))
{
    setWindowTitle(caption);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setMinimumSize(BaseWidth, BaseHeight);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("group1125"));
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(makeIcon(), 0, Qt::AlignVCenter);
    textLabel_ = new QLabel(displayText(text), group);
    textLabel_->setObjectName(QStringLiteral("text1124"));
    textLabel_->setWordWrap(true);
    textLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    textLabel_->setMaximumWidth(640);
    groupLayout->addWidget(textLabel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(makeButtonRow());
}

QWidget* CMessageBox::makeIcon()
{
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("icon1123"));
    label->setPixmap(style()->standardIcon(pixmapFor(icon_), nullptr, this).pixmap(32, 32));
    return label;
}

QWidget* CMessageBox::makeButtonRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->addStretch(1);
    const QStringList texts = CMessageBoxStyle::ButtonTexts(type_);
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QPushButton(texts[i], row);
        const int buttonNumber = i + 1;
        button->setObjectName(QStringLiteral("button%1").arg(buttonNumber));
        button->setAutoDefault(i == 0);
        connect(button, &QPushButton::clicked, this, [this, buttonNumber] { finishWith(buttonNumber); });
        buttons_.append(button);
        layout->addWidget(button);
        if (i + 1 < texts.size())
            layout->addSpacing(24);
    }
    layout->addStretch(1);
    return row;
}

void CMessageBox::finishWith(int button)
{
    pressedButton_ = button;
    accept();
}

int CMessageBox::RunModal()
{
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
    pressedButton_ = 0;
    exec();
    return CMessageBoxStyle::ResultFor(type_, pressedButton_);
}

QString CMessageBox::Text() const { return textLabel_->text(); }

QList<QPushButton*> CMessageBox::Buttons() const { return buttons_; }
