#pragma once
// The view: only the parent of the image control. It paints nothing and, when
// resized, tells the frame its new size (message 1035).

#include <QWidget>

class CLumetraView : public QWidget
{
    Q_OBJECT
public:
    explicit CLumetraView(QWidget* parent = nullptr);

    void SetFrame(QObject* frame) { frame_ = frame; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QObject* frame_ = nullptr;
};
