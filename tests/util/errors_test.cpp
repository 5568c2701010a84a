#include "util/errors.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TEST(ErrorText, OutOfMemoryIsToldPlainly) {
    EXPECT_EQ(ErrorText(std::bad_alloc()), "Недостаточно памяти для выполнения операции!");
    EXPECT_EQ(ErrorText(std::bad_array_new_length()),
              "Недостаточно памяти для выполнения операции!");
    EXPECT_EQ(ErrorText(EFileError("Нет доступа")), "Нет доступа");
}

}  // namespace
}  // namespace zentrix
