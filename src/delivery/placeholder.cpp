// Keeps the delivery library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kdeliveryPlaceholder = 0; }
