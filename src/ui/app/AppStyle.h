#pragma once

class QApplication;

namespace app {

// The look every screen shares: IPAex Gothic at a readable size and the
// Fusion style, so the screens look alike on every desktop.
class AppStyle {
public:
    static void apply(QApplication& app);
    static constexpr int pointSize = 11;
};

} // namespace app
