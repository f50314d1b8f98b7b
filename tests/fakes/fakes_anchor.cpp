// Keeps the fakes library non-empty while every fake is header-only.
namespace kelvo::fakes {
int anchor() {
    return 0;
}
} // namespace kelvo::fakes
