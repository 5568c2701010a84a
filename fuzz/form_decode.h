#pragma once

#include <httplib.h>

#include <string>

#include "server/service_routes.h"

namespace zentrix::fuzz {

// The fields of a form body as zentrix-server receives them: cpp-httplib decodes the body into
// the request's parameters, which the route handlers are given.
inline server::TFormFields DecodeForm(const std::string& body) {
    httplib::Params params;
    httplib::detail::parse_query_text(body, params);
    return server::TFormFields(params.begin(), params.end());
}

}  // namespace zentrix::fuzz
