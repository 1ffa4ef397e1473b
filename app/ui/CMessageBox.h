#pragma once
// The program's modal message box. Grows with a long text and keeps its
// resource size for a short one; topmost and centred on the screen.

#include "CMessageBoxStyle.h"

#include <QDialog>

class QLabel;
class QPushButton;

class CMessageBox : public QDialog
{
    Q_OBJECT
public:
    CMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type);

    // Runs the box modally and answers the result code of its type.
    int RunModal();

    QString Text() const;
    QList<QPushButton*> Buttons() const;
    CMessageBoxStyle::Icon ShownIcon() const { return icon_; }

    static constexpr int BaseWidth = 360;
    static constexpr int BaseHeight = 170;

private:
    QWidget* makeIcon();
    QWidget* makeButtonRow();
    void finishWith(int button);

    unsigned type_;
    CMessageBoxStyle::Icon icon_;
    QLabel* textLabel_ = nullptr;
    QList<QPushButton*> buttons_;
    int pressedButton_ = 0;
};
