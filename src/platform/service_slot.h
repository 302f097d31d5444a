#pragma once
// The slot behind each replaceable outside service (clipboard, common dialogs, print dialogs):
// the real implementation, made on first use, unless a test has installed a stand-in.
namespace quorlin::platform {

template <typename Service, typename RealService>
class ServiceSlot {
public:
    Service& Current() {
        if (replacement_) return *replacement_;
        static RealService real;
        return real;
    }
    // Installs a stand-in (not owned); null restores the real service.
    void Replace(Service* replacement) { replacement_ = replacement; }

private:
    Service* replacement_ = nullptr;
};

}  // namespace quorlin::platform
