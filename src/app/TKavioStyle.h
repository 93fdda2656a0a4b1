#pragma once
// The platform style with the spacing the layout was designed for: the caption of a check box
// or radio button stands 4 pixels from its mark, as on the original platform, so that the
// designed widths hold the captions.

#include <QProxyStyle>

namespace kavio::app {

class TKavioStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric AMetric, const QStyleOption* AOption = nullptr,
                  const QWidget* AWidget = nullptr) const override;
};

}  // namespace kavio::app
