// The form-field decoding on its own: the body into fields, the service's backslash escapes,
// and the client's encoding of a value read back through both.
#include "form_decode.h"
#include "fuzz_support.h"
#include "util/service_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string bytes(fuzz::Bytes(data, size));
    for (const auto& [name, value] : fuzz::DecodeForm(bytes)) (void)UnescapeServiceText(value);
    // A value the client sends arrives as it was.
    const auto fields = fuzz::DecodeForm("f=" + FormEncode(EscapeServiceText(bytes)));
    if (fields.size() != 1 || UnescapeServiceText(fields.begin()->second) != bytes) std::abort();
    return 0;
}
