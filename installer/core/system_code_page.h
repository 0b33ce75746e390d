#pragma once
// Hands the text layer the lead bytes of the code page the system runs in. Both programs
// call it first, before any path or script text is walked.
void UseSystemLeadBytes();
