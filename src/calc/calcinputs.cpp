#include "calcinputs.h"

namespace kvor {

QStringList CalcInputs::defaultGoodsItems()
{
    return {QStringLiteral("Штабелі на піддонах"), QStringLiteral("Мясні туші на гаках")};
}

QStringList CalcInputs::defaultProtectionItems()
{
    return {QStringLiteral("Відсутня"), QStringLiteral("Штора"), QStringLiteral("Пов. завіса")};
}

} // namespace kvor
