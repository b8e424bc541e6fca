;; Tokens the tokenizer cut apart that stand for one word: a run of dashes
;; or equals signs written together (a ruler line, ----==), a phone number
;; written with hyphens (303-832-8160), dollar signs in a row ($$$), and a
;; web address with its query
;; (http://x.com/search?q=a&b=c), and double angle brackets (<< File: a.doc >>,
;; an attachment line of a mail). The joined item is added
;; beside the pieces; the parser takes whichever covers the sentence better.

(defun ruler-piece () (reg-match "^[-=_~*#]+$"))
(defun digit-group () (reg-match "^[0-9]+$"))
(defun web-address () (reg-match "^(https?://|www[.])"))
(defun dollar-sign () (str= "$"))
(defun less-than () (str= "<"))
(defun greater-than () (str= ">"))
(defun name-initial () (reg-match "^[A-Z]$"))
(defun apostrophe-name () (reg-match "^'[A-Z][a-z]+$"))
(defun closing-mark () (in ("]" ")" ">" "\"" "'" "," "!" ".")))

(def-rules english-rules
  (ruler-line
    (seq :front-to-back (word (ruler-piece)) (+ (word :nogap (ruler-piece))))
    (look-up (low) (high) (str "_sym_")))
  (hyphenated-number
    (seq :front-to-back (word (digit-group)) (+ (seq (word :nogap (str= "-")) (word :nogap (digit-group)))))
    (look-up (low) (high) (str "_num_")))
  ;; Dollar signs in a row ($$$) stand for money, a noun.
  (dollar-signs
    (seq :front-to-back (word (dollar-sign)) (+ (word :nogap (dollar-sign))))
    (look-up (low) (high) (str "_noun_")))
;; A surname after O and an apostrophe (O'Neill) is one name.
  (apostrophe-surname
    (seq :front-to-back (word (name-initial)) (word :nogap (apostrophe-name)))
    (look-up (low) (high) (str "_cap_")))
  ;; The two marks are one bracket, a word of the lexicon.
  (double-opening-angle
    (seq :front-to-back (word (less-than)) (word :nogap (less-than)))
    (look-up (low) (high) (str "<<")))
  (double-closing-angle
    (seq :front-to-back (word (greater-than)) (word :nogap (greater-than)))
    (look-up (low) (high) (str ">>")))
  (web-address-with-query
    (seq :front-to-back (word (web-address)) (+ (word :nogap (not (closing-mark)))))
    (look-up (low) (high) (str "_url_")))
  ;; A joined item found under its class name has its own text as root.
  (joined-root :act-on-all-matches
    (lexitem (and (comp (root) (str-prefix (str "_") (ident))) (comp (surform) (reg-match ".*[^ ] *[^ ]"))))
    (set-lexitem-root (litem) (matching-word))))
