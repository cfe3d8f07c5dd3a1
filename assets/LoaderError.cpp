#include "assets/LoaderError.h"

void LoaderErrorExit(j_common_ptr decompressor) {
    (*decompressor->err->output_message)(decompressor);
    LoaderErrorManager* errors = reinterpret_cast<LoaderErrorManager*>(decompressor->err);
    std::longjmp(errors->recovery, 1);
}
