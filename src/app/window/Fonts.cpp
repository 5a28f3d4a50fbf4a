#include "app/window/Fonts.h"

#include <QFont>
#include <QStringList>

namespace tavrel::window {

void InstallSongFace() {
    QFont::insertSubstitutions(
        QStringLiteral("宋体"),
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")});
}

}  // namespace tavrel::window
