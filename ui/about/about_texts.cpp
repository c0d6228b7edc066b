#include "ui/about/about_texts.h"

#include "core/author.h"

namespace pulvar::about {

std::string CreditLine() {
    return std::string("Autor: Dr. ") + author::kFullName + ". " + author::kRegistration + " " +
           "c. electrònico: " + author::kEmail;
}

std::string SiteAddress() { return author::kWebSite; }

std::string DonationAddress() {
    std::string account;
    for (char c : std::string(author::kEmail)) account += c == '@' ? std::string("%40") : std::string(1, c);
    return std::string(author::kDonationHost) + "/xclick/business=" + account +
           "&no_shipping=0&no_note=1&tax=0&currency_code=USD";
}

}  // namespace pulvar::about
