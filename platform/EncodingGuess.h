#pragma once

#include <QString>

// Whether text that was read as GBK holds UTF-8 bytes instead: pages that declare no charset are
// read as GBK, and a UTF-8 one then shows as "涓枃鏍囬". Written back as GBK, such text gives
// its bytes again, and they form valid UTF-8 sequences where GBK text would not.
bool looksLikeUtf8ReadAsGbk(const QString& text);
