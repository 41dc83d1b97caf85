# Pennova writing template (our own text)
id: 204
kind: high
category: 书信|Letters
name: 感谢信|Letter of thanks
description: 适用于感谢老师、朋友、接待家庭或单位的书信。开门见山表示感谢，具体说明对方的帮助及其意义，最后再次致谢并表达回报的愿望。
title: A Letter of Thanks to [标题中的感谢对象，如 Professor Brown] || 致[标题中的感谢对象，如 Professor Brown]的感谢信

[block]
Dear [收信人，如 Professor Brown], || 亲爱的[收信人，如 Professor Brown]：

[block]
I am writing to thank you for [事由，如 your help with my research project]. || 我写信是为了感谢您[事由，如 your help with my research project]。
Without your help, I could not have [结果，如 finished it on time]. || 没有您的帮助，我不可能[结果，如 finished it on time]。
[alternative]
I would like to express my heartfelt thanks for [事由，如 your kind help during my stay in London]. || 我想对[事由，如 your kind help during my stay in London]表示衷心的感谢。
It meant a great deal to me. || 这对我意义重大。

[block]
I still remember [细节，如 the evening you stayed late to read my report]. || 我仍然记得[细节，如 the evening you stayed late to read my report]。
Your help came just when I needed it most. || 您的帮助来得正是时候。
It helped me [帮助的作用，如 see the problem in a new way]. || 它帮助我[帮助的作用，如 see the problem in a new way]。
[alternative]
You were patient with me when I made mistakes. || 当我犯错时，您对我很耐心。
You also taught me that [收获，如 careful work is more important than quick work]. || 您还教会了我[收获，如 careful work is more important than quick work]。

[block]
Thanks to you, [结果，如 my project won second prize in the contest]. || 多亏了您，[结果，如 my project won second prize in the contest]。
I have also become more confident. || 我也变得更自信了。

[block]
I hope I will have a chance to return your kindness. || 希望我有机会报答您的好意。
If you come to [城市，如 Shanghai], please let me know. || 如果您来[城市，如 Shanghai]，请告诉我。
Thank you again for everything you have done for me. || 再次感谢您为我所做的一切。
[alternative]
Please accept my sincere thanks once again. || 请再次接受我诚挚的谢意。
I wish you good health and every success in your work. || 祝您身体健康，工作顺利。

[block]
Yours sincerely, \n || 此致敬礼，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I cannot thank you enough. || 我对您感激不尽。
I am deeply grateful for your support. || 我非常感谢您的支持。
Your kindness will always stay in my heart. || 您的好意我会永远铭记在心。
It was very kind of you to help me. || 您帮助我真是太好了。
I really enjoyed the time we spent together. || 我真的很享受我们在一起的时光。
Your words gave me a lot of courage. || 您的话给了我很大的勇气。
I have learned so much from you. || 我从您那里学到了很多。
I look forward to seeing you again soon. || 期待很快再见到您。
