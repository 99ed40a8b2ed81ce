#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The settings a window's skin control is designed with, handed to the engine as its state.
struct SkinSettings {
    QString author;
    QString description;
    QString application;
    QString name;
    QString tag;
    int hue = 0; // no hue shift
    QColor backColor{0xCF, 0xE8, 0xCC};
    QColor foreColor{0x00, 0x00, 0x00};
    QColor panelColor{0xD8, 0xE9, 0xEC};
    QColor panelTextColor{0x00, 0x00, 0x00};
    bool applyColors = false;   // the skin's own colours are used as they are
    bool skinClientArea = true; // the skin reaches the controls inside the frame too
};

// Skins windows from a skin file. Loading a missing or broken file leaves nothing loaded,
// and skinning with nothing loaded changes nothing; neither shows anything.
class SkinEngine {
public:
    virtual ~SkinEngine() = default;
    virtual void LoadSkin(const QString& path) = 0;
    virtual void ApplySkin(QWidget* window) = 0;
};
