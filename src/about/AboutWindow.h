#pragma once
// The about window: the publisher's header, the program's version, the organisation, the author, the download
// address and the author's e-mail address. The header and the address open the publisher's home page, the e-mail
// address a new mail; the close button unloads the window. The main window shows it modally.
#include <QDialog>

class QKeyEvent;

#include "about/Publisher.h"

namespace tavrel::about {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(UrlOpener opener, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    UrlOpener opener_;
};

}  // namespace tavrel::about
