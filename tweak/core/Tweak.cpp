// The tweak's load-time entry point; the hook table arrives with the tweak core.
namespace lunadoze {
namespace {
__attribute__((constructor)) void lunadozeLoaded() {}
}  // namespace
}  // namespace lunadoze
