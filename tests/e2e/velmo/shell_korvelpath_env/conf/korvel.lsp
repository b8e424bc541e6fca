(echo from conf)
