; Word lists: sorted arrays, own hash tables, named lists, suffixes.
(defmacro show (exp) (comp exp (print-str :suffix "\n")))
(foreach (apple APPLE grape) :eval (show (format (ident) " " (in fruit.txt (grape)) " " (in :case-sensitive fruit.txt) " " (in :hashsize 7 fruit.txt))))
(make-word-list fruit :hashsize 11 :case-sensitive fruit.txt (Grape))
(make-word-list nothing (a b))
(add-to-word-list fruit empty.txt (kiwi))
(foreach (apple cherry GRAPE kiwi) :eval (show (format (ident) " " (in :wordlist fruit))))
(foreach (walking WALKED walks) :eval (show (format (ident) " " (suffix endings.txt (s)))))
(eval (show (in :wordlist nothing)))
