#pragma once
// The toolkit's own texts (the standard buttons of message boxes and
// choosers) in Japanese, the language of the whole interface.

// Loads and installs the toolkit's Japanese translations into the running
// application. False when they are not installed on this system; the
// toolkit's English texts are shown then.
bool installJapaneseTranslations();
