#include "render/ServiceSnapshot.h"

const Result<std::string>& ServiceSnapshot::picture(ImageFormat format) const {
    Encoded& encoded = format == ImageFormat::Svg ? m_svg : m_png;
    std::call_once(encoded.once, [&] { encoded.bytes.emplace(encodeChartScene(m_scene, format)); });
    return *encoded.bytes;
}

void SnapshotBoard::publish(std::shared_ptr<const ServiceSnapshot> snapshot) {
    const std::lock_guard lock(m_mutex);
    // The one replaced goes with the argument, after the lock is let go:
    // freeing it (and its pictures) holds up no reader.
    m_latest.swap(snapshot);
}

std::shared_ptr<const ServiceSnapshot> SnapshotBoard::latest() const {
    const std::lock_guard lock(m_mutex);
    return m_latest;
}
