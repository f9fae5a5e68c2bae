#include "platform/data/DbError.h"

std::optional<QString> failureOf(const std::function<void()> &action)
{
    try {
        action();
        return std::nullopt;
    } catch (const DbError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}
