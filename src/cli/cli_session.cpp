#include "cli/cli_session.h"

#include "util/errors.h"
#include "util/format.h"

namespace zentrix::cli {

void SetOffsetOption(TArchiveController& archive, int offset) {
    if (offset < 0 || offset > archive.OffsetMaximum())
        throw EZentrix(Format("Смещение %d вне архива тиражей: допустимо от 0 до %d",
                              {offset, archive.OffsetMaximum()}));
    archive.SetDrawsOffset(offset);
}

}  // namespace zentrix::cli
