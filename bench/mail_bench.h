#pragma once
// What sending to the members costs: 1,000 members each sent their own copy through the
// message window, and through the mail layer alone, to a local aiosmtpd server; beside
// Python's smtplib sending the same 1,000 messages over one connection to the same server.
namespace zelk::bench {

// Prints the table; problems (no python3 with aiosmtpd, a failed send) go to standard error.
void printMailRun(int members = 1000);

} // namespace zelk::bench
