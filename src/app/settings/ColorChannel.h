#pragma once
#include "DisplaySettings.h"

#include <QColor>

namespace zephyra {

// Colours are kept as three floats in 0..1 and shown as bytes: c x 255 truncated one way,
// byte x (1/255 in single precision) the other.
[[nodiscard]] inline int ChannelToByte(float c)
{
    return static_cast<int>(c * 255);
}
[[nodiscard]] inline float ByteToChannel(int byte)
{
    return static_cast<float>(byte) * 0.003921569f;
}

[[nodiscard]] inline QColor ToQColor(const Rgb& rgb)
{
    return QColor(ChannelToByte(rgb[0]), ChannelToByte(rgb[1]), ChannelToByte(rgb[2]));
}

[[nodiscard]] inline Rgb FromQColor(const QColor& color)
{
    return Rgb{ByteToChannel(color.red()), ByteToChannel(color.green()), ByteToChannel(color.blue())};
}

} // namespace zephyra
