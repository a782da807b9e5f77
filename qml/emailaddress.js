.pragma library

// The form of a mail address that the settings accept: runs of letters and
// digits joined by single "_", "|" or "." on both sides of the "@", and a
// top-level domain of two or three letters. Written without nested
// repetition, so that a long invalid text is rejected at once instead of
// sending the matcher into exponential backtracking.
var pattern = /^[a-zA-Z0-9]+([_|.][a-zA-Z0-9]+)*@[a-zA-Z0-9]+([_|.][a-zA-Z0-9]+)*\.[a-zA-Z]{2,3}$/

function isValid(text) {
    return pattern.test(text)
}
