(no-such-command a "b c" (d (e)))
(no-args)
((echo nested) x)
top-level-atom ) ) "string"
(quote a b)
(quote)
(echo after errors)
(load (a list))
(def-tokenizer :name tk " " "" "" "\"" "" "")
(def-tokenizer :name TK " " "" "" "\"" "" "")
(def-tokenizer :name short " " "")
(echo done
