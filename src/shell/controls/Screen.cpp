#include "shell/controls/Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/controls/Twips.h"

namespace tavelo {

Single Screen::Width() {
    return twips::fromPixels(QGuiApplication::primaryScreen()->geometry().width());
}

Single Screen::Height() {
    return twips::fromPixels(QGuiApplication::primaryScreen()->geometry().height());
}

}  // namespace tavelo
