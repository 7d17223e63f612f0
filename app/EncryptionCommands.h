#pragma once

// Encrypt database and Decrypt database: each re-keys the file of a database
// window through the window's connection, after the user confirmed it.

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

// Asks for a new password twice; on OK encrypts a plain database with it or
// gives an encrypted one that password in place of the old.
void EncryptDatabase(dbwindow::TFrmDBMain &window);
// Asks whether to decrypt; on OK rewrites the database without a key.
void DecryptDatabase(dbwindow::TFrmDBMain &window);

} // namespace torvik::app
