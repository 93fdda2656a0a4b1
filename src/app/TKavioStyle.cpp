#include "app/TKavioStyle.h"

namespace kavio::app {

int TKavioStyle::pixelMetric(PixelMetric AMetric, const QStyleOption* AOption, const QWidget* AWidget) const {
  switch (AMetric) {
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
      return 4;
    default:
      return QProxyStyle::pixelMetric(AMetric, AOption, AWidget);
  }
}

}  // namespace kavio::app
