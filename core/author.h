// Who wrote Pulvar and where to reach him: one line each, for a packager to change.
#pragma once

namespace pulvar::author {

inline constexpr char kFullName[] = "Nombre Apellido Ejemplo";
// A medical registration: an abbreviation ending in a full stop, a blank, a number.
inline constexpr char kRegistration[] = "C.M.P. 00000";
inline constexpr char kEmail[] = "autor@example.org";
inline constexpr char kWebSite[] = "http://www.example.org";
// Scheme and host of the donation service; the account is kEmail.
inline constexpr char kDonationHost[] = "https://www.paypal.com";

}  // namespace pulvar::author
