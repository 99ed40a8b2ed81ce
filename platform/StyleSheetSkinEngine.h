#pragma once

#include "platform/SkinEngine.h"

#include <optional>

// A skin file is a Qt style sheet in UTF-8, applied to the whole window.
class StyleSheetSkinEngine final : public SkinEngine {
public:
    explicit StyleSheetSkinEngine(SkinSettings settings = {});

    const SkinSettings& settings() const { return m_settings; }
    bool isLoaded() const { return m_sheet.has_value(); }

    void LoadSkin(const QString& path) override;
    void ApplySkin(QWidget* window) override;

    // The style sheet of a skin file, or nothing when the file is missing, unreadable, larger
    // than kMaxFileSize, not UTF-8 text, or not shaped like a style sheet.
    static std::optional<QString> readSkinFile(const QString& path);
    static bool looksLikeStyleSheet(const QString& text);

    static constexpr qint64 kMaxFileSize = 1024 * 1024;

private:
    SkinSettings m_settings;
    std::optional<QString> m_sheet;
};
