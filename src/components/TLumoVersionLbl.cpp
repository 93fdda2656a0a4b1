#include "components/TLumoVersionLbl.h"

namespace kavio::components {

TLumoVersionLbl::TLumoVersionLbl(QWidget* AParent) : TLumoVersionLbl(GetVersionInfo(), AParent) {}

TLumoVersionLbl::TLumoVersionLbl(const TVersionBlock& ABlock, QWidget* AParent)
    : QLabel(AParent), FVersionBlock(ABlock) {
  FProduktversion = GetVersionInfoSection(FVersionBlock, QStringLiteral("FileVersion"));
}

void TLumoVersionLbl::SetVersion(const QString&) {}

}  // namespace kavio::components
