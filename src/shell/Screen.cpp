#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "Twips.h"

namespace tavelo {

Single Screen::Width() {
    return twips::fromPixels(QGuiApplication::primaryScreen()->geometry().width());
}

Single Screen::Height() {
    return twips::fromPixels(QGuiApplication::primaryScreen()->geometry().height());
}

}  // namespace tavelo
