#include "render/ServiceSnapshot.h"

namespace {

// The service's threads draw one picture at a time: drawing text goes
// through the font caches they share, and however many clients ask, the
// pictures take at most one core from following.
std::mutex g_drawing;

} // namespace

const Result<std::string>& ServiceSnapshot::picture(ImageFormat format) const {
    Encoded& encoded = format == ImageFormat::Svg ? m_svg : m_png;
    std::call_once(encoded.once, [&] {
        const std::lock_guard lock(g_drawing);
        encoded.bytes.emplace(encodeChartScene(m_scene, format));
    });
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
